#pragma once

#include "cardset/Card.h"
#include "cardset/FontRecord.h"
#include "cardset/PrintOptions.h"

#include <QList>
#include <QString>

#include <algorithm>

// What a load has read so far. It reaches the set at the end of the load,
// also when the load stopped half way: the window then shows what was read.
struct CardSetContent
{
    QList<QByteArray> Fronts;
    QList<QByteArray> Backs;
    QList<qint32> Boxes;
    PrintOptions Options;
    FontRecord StandardFontFront;
    FontRecord StandardFontBack;

    // One card per face read; a missing face is empty, a missing box is 1.
    QList<Card> cards() const
    {
        const qsizetype count = std::max({Fronts.size(), Backs.size(), Boxes.size()});
        QList<Card> result(count);
        for (qsizetype i = 0; i < count; ++i) {
            result[i].Front = Fronts.value(i);
            result[i].Back = Backs.value(i);
            result[i].Box = Boxes.value(i, 1);
        }
        return result;
    }
};
