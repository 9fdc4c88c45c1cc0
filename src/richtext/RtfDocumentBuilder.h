#pragma once

#include "richtext/PictureDecoder.h"
#include "richtext/RtfSink.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <vector>

class QTextDocument;
class QTextList;
class QTextTable;
class RtfParser;

// Builds a QTextDocument from what RtfParser reads: one block per
// paragraph, character formats per run, legacy numbering as QTextLists,
// table rows as QTextTables, pictures as image resources that keep their
// original RTF. A paragraph's content waits until its end, where RTF says
// whether it belongs to a table cell.
class RtfDocumentBuilder : public RtfSink
{
public:
    explicit RtfDocumentBuilder(QTextDocument &document);
    void setParser(const RtfParser *parser) { m_parser = parser; }

    void text(QStringView text, const RtfCharState &state) override;
    void lineBreak(const RtfCharState &state) override;
    void paragraphEnd(const RtfParaState &para, const RtfCharState &mark) override;
    void cellEnd(const RtfParaState &para, const RtfCharState &mark) override;
    void rowEnd(const RtfRowState &row) override;
    void picture(const RtfPictureData &picture, const RtfCharState &state) override;
    void documentEnd(const RtfParaState &para, const RtfCharState &mark) override;

    // Twips to the document's pixels (96 per inch) and back.
    static qreal pixels(int twips) { return twips / 15.0; }
    static int twips(qreal pixels) { return qRound(pixels * 15.0); }

    // A table grows no further than this many cells; later rows are read
    // as paragraphs.
    static constexpr int MaxTableCells = 20000;
    // Twips: a wider table's columns are shares of the face's width.
    static constexpr int MaxFixedTableWidth = 4320;

private:
    struct Content
    {
        enum Kind { Text, LineBreak, Picture };
        Kind kind;
        QString text;
        RtfCharState state;
        RtfPictureData picture;
    };

    const QTextCharFormat &charFormat(const RtfCharState &state);
    QTextBlockFormat blockFormat(const RtfParaState &para) const;
    void ensureBlock();
    void placeParagraph(bool inTable, const RtfParaState &para, const RtfCharState &mark);
    void enterCell();
    void leaveTable();
    void fillCell(int row, int column);
    void formatParagraph(const RtfParaState &para, const RtfCharState &mark);

    QTextDocument &m_document;
    QTextCursor m_cursor;
    const RtfParser *m_parser = nullptr;
    bool m_needBlock = false;
    std::vector<std::pair<RtfCharState, QTextCharFormat>> m_formats;
    QTextList *m_list = nullptr;
    RtfNumbering m_listNumbering;
    bool m_previousInList = false;
    qint64 m_pixelBudget = PictureDecoder::DocumentPixelBudget;
    std::vector<Content> m_pending; // the paragraph not ended yet

    QTextTable *m_table = nullptr;
    int m_row = 0, m_column = 0;
    bool m_cellOpen = false; // the cursor is in cell (m_row, m_column)
    bool m_rowEnded = false;
    QTextBlockFormat m_cellBlockFormat;
    QTextCharFormat m_cellCharFormat;
};
