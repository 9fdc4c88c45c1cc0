#pragma once

#include <QList>
#include <QRgb>
#include <QString>

// The markup most word lists hold: text with <b>, <strong>, <i>, <em>,
// <u>, colours (<span style="color:...">, <font color>), <br> and entities,
// in lines of <div>s one after the other.
// Read in one pass to the text and formats Qt's HTML reader would put into
// a document, blanks folded as it folds them. Anything else (paragraphs,
// lists, pictures, other styles) is refused: the caller gives such a field
// to Qt.
class InlineHtml
{
public:
    struct Style
    {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool coloured = false;
        QRgb colour = 0;

        quint64 key() const
        {
            return quint64(colour) | quint64(coloured) << 32 | quint64(bold) << 33 | quint64(italic) << 34 | quint64(underline) << 35;
        }
    };
    // text.mid(start, length) in `style`; runs are never empty.
    struct Run
    {
        qsizetype start = 0;
        qsizetype length = 0;
        Style style;
    };
    // Line breaks are U+2028; paragraphs after the first start at the runs
    // `paragraphs` names.
    struct Face
    {
        QString text;
        QList<Run> runs;
        QList<qsizetype> paragraphs;
    };
    // False when the field holds markup beyond the above.
    static bool read(QStringView html, Face &face);

    enum class Entity {
        Decoded, // `decoded` holds it; `at` is after it
        Literal, // no entity: the '&' stands for itself
        Unknown, // a name this reader does not know (Qt's may)
    };
    // The entity after the '&' before html[at], decoded as Qt's reader
    // decodes it.
    static Entity entity(QStringView html, qsizetype &at, QString &decoded);
};
