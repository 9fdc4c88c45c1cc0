#pragma once

#include "exchange/CsvProblem.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

class QTextCharFormat;

// Faces and the simple HTML of word lists, both ways.
class HtmlFace
{
public:
    // Where the pictures that fields name lie, and how wide they may be
    // shown (pixels; 0 for their own width). Wider ones are shown smaller,
    // by default about as wide as the face editor of a new set.
    struct Pictures
    {
        QString folder;
        qreal maxWidth = 360;
    };

    // A face's RTF from an HTML field: bold, italic, underline, colours,
    // alignment and line breaks (<br>, <div>, <p>) are kept, entities
    // decoded. Text without a font or colour of its own gets `standard`.
    // <img src="NAME"> embeds the picture file NAME of the picture folder
    // with its original bytes, as "Bild einfügen" does; a picture that is
    // missing or none is left out and added to `problems` with `line`.
    // Nothing outside the picture folder is read.
    static QByteArray toRtf(const QString &html, const QTextCharFormat &standard, const Pictures &pictures, int line,
                            QList<CsvProblem> &problems);
    // The field's text without markup, as a preview shows it.
    static QString plainText(const QString &html);
    // A face as simple HTML: <b>, <i>, <u>, <span style="color:#rrggbb">
    // and <br> between lines; pictures and other formatting are left out.
    static QString fromRtf(QByteArrayView rtf);

    // The picture file that <img src> names, when it lies in `folder`;
    // empty otherwise.
    static QString picturePath(const QString &folder, const QString &source);
};
