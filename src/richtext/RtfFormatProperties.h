#pragma once

#include <QTextFormat>

// Properties that Quillo keeps in Qt text formats beside Qt's own, so that
// what RTF says and Qt has no place for survives a round trip.
namespace RtfFormatProperties {
enum : int {
    // QTextImageFormat, QByteArray: the picture's or object's original RTF
    // group(s), written back byte for byte. An image without it is encoded
    // anew from its image resource when written.
    PictureOriginal = QTextFormat::UserProperty + 0x5100,
    // QTextBlockFormat of a list paragraph, int twips: the \li and \fi the
    // RTF gave (Qt draws the marker left of the text, with no first-line
    // indent).
    ListLeftIndent,
    ListFirstIndent,
    // QTextListFormat, int: \pnstart (Qt 6.4's list format has no start).
    ListStart,
    // QTextCharFormat, bool: a symbol font (\fcharset2); its characters
    // are U+F000 + byte.
    SymbolFont,
    // QTextCharFormat of a field's result text (a hyperlink): QByteArray,
    // the field's {\*\fldinst ...} group, written back around the result;
    // int, a number that tells adjacent fields apart. A HYPERLINK field's
    // text is also an anchor with the link as its href.
    FieldInstruction,
    FieldNumber,
    // QTextCharFormat, int: an underline Qt draws as a single line (double,
    // words only, thick) as RtfCharState::UnderlineKind.
    UnderlineKind,
    // QTextTableCellFormat, bool: a cell the RTF row did not give (the row
    // is shorter than the table); it is not written.
    CellNotGiven,
};
}
