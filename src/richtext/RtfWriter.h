#pragma once

#include <QByteArray>
#include <QList>
#include <QStringView>

class QColor;
class QFont;
class QTextCharFormat;
class QTextDocument;

// Writes a QTextDocument as RTF in the Windows RichEdit dialect, which the
// Windows versions of the program (RichEdit 2.0/3.0) read:
// {\rtf1\ansi\ansicpg1252\deff0\deflang1031{\fonttbl...}{\colortbl ;...}
// \viewkind4\uc1\pard...\par }. Characters outside code page 1252 are
// \uN?, back colour is \highlight, bullets and numbers carry both
// {\pntext} and {\*\pn}. Pictures are written as their original RTF (see
// FacePictures), PNG and JPEG with a metafile beside them for RichEdit
// 2.0/3.0; an image without one is kept as PNG (PictureEncoder). Two
// destinations of Quillo's own, which other readers skip, carry what they
// cannot read: {\*\quillopict ...} and {\*\quillofield ...}.
class RtfWriter
{
public:
    static QByteArray write(const QTextDocument &document);
    // What write() gives once every paragraph has lost its space before
    // and after and text without a colour of its own has `textColour`: a
    // face from a web page's markup, without a pass that changes the
    // document first.
    static QByteArray writeImported(const QTextDocument &document, const QColor &textColour);

    // A run of text in the format `format` of writeParagraphs().
    struct Span
    {
        QStringView text;
        int format = 0;
    };
    struct Paragraph
    {
        Qt::Alignment alignment;
        QList<Span> spans;
        // the format of the paragraph mark
        int markFormat = 0;
    };
    // What writeImported() gives for a document of the default font `font`
    // that holds `paragraphs` (text only), without building the document.
    static QByteArray writeParagraphs(const QList<Paragraph> &paragraphs, const QList<QTextCharFormat> &formats, const QFont &font,
                                      const QColor &textColour);
    // The bytes write() gives for a document that holds `text` in `format`,
    // paragraph marks included, a new paragraph at every line break (LF, CR
    // LF, CR or U+2029);
    // without building the document, for the many faces of a word list.
    static QByteArray writePlainText(QStringView text, const QTextCharFormat &format);
};
