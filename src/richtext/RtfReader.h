#pragma once

#include <QByteArrayView>
#include <QStringList>

class QTextDocument;

// Reads a card face's RTF bytes, as the Windows RichEdit control (1.0 to
// 4.1 and later) writes them, into a QTextDocument.
//
// The document gets one block per paragraph; every run carries its font
// family, point size, bold, italic, underline, strike-out, colour and back
// colour explicitly. Lengths are pixels at 96 per inch (1 px = 15 twips).
// Bullets and numbering become QTextLists. Pictures and embedded objects
// are image characters as FacePictures describes: they keep their
// original RTF, which RtfWriter writes back unchanged. A hyperlink field
// is its result text, an anchor whose format keeps the field
// (RtfFormatProperties::FieldInstruction). Text in the font "Symbol" is
// read as the Unicode characters it shows. Round trip:
// read(write(read(x))) gives the same text, formats and picture bytes as
// read(x).
class RtfReader
{
public:
    // Replaces the document's content and resources and empties its undo
    // stack. Damaged input gives what could be read; never throws.
    static void read(QByteArrayView rtf, QTextDocument &document);
    // The face's plain text lines, straight from the bytes without building
    // a document (fast: search and export over many cards). One line per
    // paragraph and per \line; the same lines as the document's plain text,
    // except that pictures leave no U+FFFC. An empty face has no lines.
    static QStringList textLines(QByteArrayView rtf);
};
