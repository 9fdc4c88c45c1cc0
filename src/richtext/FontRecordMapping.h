#pragma once

#include "cardset/FontRecord.h"

#include <QColor>
#include <QFont>

// Between the stored font and colour values of a card set and Qt's types.
class FontRecordMapping
{
public:
    static QFont toQFont(const FontRecord &record);
    // Name, size and styles from the font; the colour is not part of a QFont.
    static FontRecord fromQFont(const QFont &font, qint32 color);
    // A system colour (high bit set) is taken from the application palette.
    static QColor toQColor(qint32 stored);
    static qint32 fromQColor(const QColor &color);
};
