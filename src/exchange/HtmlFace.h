#pragma once

#include "exchange/CsvProblem.h"
#include "exchange/InlineHtml.h"

#include "richtext/RtfWriter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextCharFormat>

#include <memory>

class MediaFiles;
class QTextDocument;

// Faces and the simple HTML of word lists, both ways. An object turns the
// fields of one side into faces, one after the other: the markup most
// fields hold is read and written in one pass each (InlineHtml), the rest
// goes through Qt's HTML reader in a document kept for the next field.
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

    // Text without a font or colour of its own gets `standard`.
    HtmlFace(const QTextCharFormat &standard, const Pictures &pictures);
    ~HtmlFace();
    HtmlFace(const HtmlFace &) = delete;
    HtmlFace &operator=(const HtmlFace &) = delete;

    // A face's RTF from an HTML field: bold, italic, underline, colours,
    // alignment and line breaks (<br>, <div>, <p>) are kept, entities
    // decoded. <img src="NAME"> embeds the picture file NAME of the
    // picture folder with its original bytes, as "Bild einfügen" does; a
    // picture that is missing or none is left out and added to `problems`
    // with `line` and `side`. Nothing outside the picture folder is read.
    // Markup beyond HtmlLimits is cut down to them, with a problem too.
    QByteArray toRtf(const QString &html, int line, CsvProblem::Side side, QList<CsvProblem> &problems);
    // The field's text without markup, as a preview shows it.
    static QString plainText(const QString &html);
    // A face as simple HTML: <b>, <i>, <u>, <span style="color:#rrggbb">
    // and <br> between lines; other formatting is left out. Each picture
    // is an <img src="NAME"> of a file that `media` keeps, or without
    // `media` left out. Empty lines at the end are left out: a field does
    // not end in them.
    static QString fromRtf(QByteArrayView rtf, MediaFiles *media = nullptr);

    // The picture file that <img src> names, when it lies in `folder`;
    // empty otherwise.
    static QString picturePath(const QString &folder, const QString &source);

private:
    QByteArray inlineRtf(const InlineHtml::Face &face);
    QByteArray documentRtf(const QString &html, int line, CsvProblem::Side side, QList<CsvProblem> &problems);
    int formatOf(const InlineHtml::Style &style);

    QTextCharFormat m_standard;
    QColor m_colour;
    Pictures m_pictures;
    // the formats of InlineHtml's styles, by their keys
    QList<QTextCharFormat> m_formats;
    QHash<quint64, int> m_formatIndex;
    InlineHtml::Face m_face;
    QList<RtfWriter::Paragraph> m_paragraphs;
    std::unique_ptr<QTextDocument> m_document;
};
