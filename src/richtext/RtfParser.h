#pragma once

#include "richtext/RtfSink.h"

#include <QByteArrayView>
#include <QColor>
#include <QHash>
#include <QList>

#include <string_view>
#include <vector>

// A single-pass RTF tokenizer and interpreter that feeds an RtfSink.
// It keeps the group stack, the font and colour tables, code pages,
// \uN with its fallback skipping, destinations to skip, fields, legacy
// paragraph numbering, table rows and cells (a nested table's cells and
// rows become tabs and paragraphs of the outer cell) and the capture of
// pictures and objects together with their original bytes.
//
// Damaged input is read as far as it goes: garbage before "{\rtf" is
// ignored, a missing closing brace ends the document, an extra one after
// the end is ignored, \bin counts are limited to the bytes there are, and
// groups nested deeper than MaxDepth (below a picture's or object's
// own group inside one) are skipped. Work and memory are
// linear in the input size.
class RtfParser
{
public:
    static constexpr int MaxDepth = 256;
    // Cells of a table row beyond this many are not defined.
    static constexpr int MaxColumns = 64;

    // With readPictures false, pictures and objects are skipped without
    // decoding their data (the plain text path).
    RtfParser(QByteArrayView rtf, RtfSink &sink, bool readPictures);
    void run();

    // Bytes of the input kept to be written back (a picture's or object's
    // original): as a whole that reads the same wherever it is written.
    // Groups the input's end left open are closed where the reader closed
    // them, and a last token the end cut short goes (a lone "\", half of
    // a \'hh) or keeps the bytes the reader read (\bin).
    static QByteArray closedCopy(QByteArrayView rtf);

    const RtfFont *font(int number) const;
    // An invalid colour stands for "automatic".
    QColor color(int index) const;
    int defaultFont() const { return m_defaultFont; }
    // The code page text in this font is read in (CodePage::Symbol and
    // CodePage::SymbolFont for symbol fonts).
    int fontCodePage(int fontNumber) const;
    // The {\*\fldinst ...} group, byte for byte, of a field whose result
    // text carries RtfCharState::field == number.
    QByteArray fieldInstruction(int number) const { return m_fields.value(number - 1); }

private:
    enum Dest : quint8 {
        Text,
        FontTable,
        FontEntry,
        ColorTable,
        Pict,
        Pn,
        PnTextAfter,
        PnTextBefore,
        Drop, // read, but text is dropped (object results, shape picture groups)
    };
    struct Group
    {
        RtfCharState chr;
        qsizetype open = 0;
        quint8 dest = Text;
        quint8 uc = 1;
    };
    struct Capture
    {
        enum Kind { None, Pict, Object, ShpPict };
        int kind = None;
        int depth = 0;
        qsizetype start = 0;
        RtfPictureData pict;
        bool havePict = false;
        RtfPictureData object; // \objw and the like
    };

    void runPlainText();
    // Steps of run(), each from m_pos: \'hh, a control word with its
    // parameter, and text up to the next byte that ends it.
    void hexEscape();
    void readControlWord();
    void textRun();
    void openGroup(qsizetype at);
    void closeGroup(qsizetype at);
    void skipGroup();
    qsizetype skipBalanced(qsizetype from, int depth) const;
    // the control words known; defined in RtfParser.cpp
    enum Keyword : int;
    static Keyword lookup(std::string_view word);
    // Looks the word up and dispatches it to one of the handlers below.
    void controlWord(qsizetype wordStart, qsizetype wordEnd, bool hasParam, int param);
    // Words read alike in every destination: the character set, \deff, \uc
    // and \u; fields; the tables and the destinations skipped whole; where
    // pictures and objects start, their sizes and \bin data.
    void documentWord(Keyword kw, bool hasParam, int param);
    void fieldWord(Keyword kw);
    void destinationWord(Keyword kw);
    void pictureWord(Keyword kw, bool hasParam, int param);
    // Words inside the destinations that read their own. fontTableWord is
    // false for a word that ends a font table that never closed: the body
    // reads it then.
    bool fontTableWord(Keyword kw, int param);
    void colorTableWord(Keyword kw, int param);
    void pictPropertyWord(Keyword kw, int param);  // format and size of a {\pict}
    void numberingWord(Keyword kw, int param);     // {\*\pn ...}
    void numberingTextWord(Keyword kw, int param); // its {\pntxta} and {\pntxtb}
    // Words in the body; the formatting ones are false for a word not theirs.
    bool charFormatWord(Keyword kw, bool hasParam, int param);
    bool paraFormatWord(Keyword kw, bool hasParam, int param); // with \pn
    void textWord(Keyword kw);                                 // breaks, tabs, characters written as words
    void controlSymbol(char c);
    void textBytes(const char *s, qsizetype n);
    void hexByte(int value);
    void addChar(char32_t ch);
    void addUnicode(int value);
    void beginText();
    void decodePending();
    void flushText();
    void paragraphEnd();
    void cellEnd();
    void rowEnd();
    void lineBreak();
    void finishFontEntry();
    int fontEntryCodePage() const;
    void pictureStarts(int kind);
    void captureStarts(int kind);
    // The bytes of a picture or object from its start up to `to`, closed.
    QByteArray closedCopy(qsizetype from, qsizetype to) const;
    void emitPicture(RtfPictureData picture);
    void skippedPicture();
    void skipFallback();
    qsizetype skipSpace(qsizetype from) const;
    bool startsWithGroup(qsizetype at, QByteArrayView word) const;
    int codePageOf(int fontNumber);
    Group &cur() { return m_stack.back(); }
    int depth() const { return int(m_stack.size()); }

    QByteArrayView m_in;
    RtfSink &m_sink;
    const bool m_readPictures;
    qsizetype m_pos = 0;
    std::vector<Group> m_stack;
    bool m_starred = false;
    qsizetype m_wordAt = 0; // where the control word being read starts
    int m_skip = 0;         // fallback characters still to skip after \uN

    int m_ansiCodePage = 1252;
    int m_defaultFont = 0;
    QHash<int, RtfFont> m_fonts;
    int m_cpFont = -1;
    int m_cpValue = 1252;
    QList<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;

    // the font entry being read
    int m_fontNumber = -1;
    int m_fontCharset = -1;
    QByteArray m_fontName;
    QString m_fontNameText;
    bool m_fontOpen = false;

    QList<QByteArray> m_fields;
    QByteArray m_fieldInstruction;  // of the field being read
    qsizetype m_fieldResultAt = -1; // the group after {\*\quillofield}

    RtfParaState m_para;
    RtfRowState m_row;
    bool m_borderOfRow = false; // a border style word that follows is a cell's
    QString m_pnText;

    // text not yet passed to the sink
    QString m_text;
    QByteArray m_bytes;
    int m_bytesCodePage = 1252;
    RtfCharState m_textState;

    Capture m_capture;
    RtfPictureData m_pict;
    int m_pictDepth = -1;
    int m_hexHigh = -1;
    // {\*\quillopict ...}: the first picture inside is the one
    int m_wrapperDepth = -1;
    RtfPictureData m_wrapped;
    bool m_haveWrapped = false;
};
