#pragma once

#include "richtext/PictureDecoder.h"
#include "richtext/RtfSink.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <vector>

class QTextDocument;
class QTextList;
class RtfParser;

// Builds a QTextDocument from what RtfParser reads: one block per
// paragraph, character formats per run, legacy numbering as QTextLists,
// pictures as image resources that keep their original RTF.
class RtfDocumentBuilder : public RtfSink
{
public:
    explicit RtfDocumentBuilder(QTextDocument &document);
    void setParser(const RtfParser *parser) { m_parser = parser; }

    void text(QStringView text, const RtfCharState &state) override;
    void lineBreak(const RtfCharState &state) override;
    void paragraphEnd(const RtfParaState &para, const RtfCharState &mark) override;
    void picture(const RtfPictureData &picture, const RtfCharState &state) override;
    void documentEnd(const RtfParaState &para, const RtfCharState &mark) override;

    // Twips to the document's pixels (96 per inch) and back.
    static qreal pixels(int twips) { return twips / 15.0; }
    static int twips(qreal pixels) { return qRound(pixels * 15.0); }

private:
    const QTextCharFormat &charFormat(const RtfCharState &state);
    QTextBlockFormat blockFormat(const RtfParaState &para) const;
    void ensureBlock();
    void formatParagraph(const RtfParaState &para, const RtfCharState &mark);

    QTextDocument &m_document;
    QTextCursor m_cursor;
    const RtfParser *m_parser = nullptr;
    bool m_needBlock = false;
    bool m_parSeen = false;
    bool m_hasContent = false;
    std::vector<std::pair<RtfCharState, QTextCharFormat>> m_formats;
    QTextList *m_list = nullptr;
    RtfNumbering m_listNumbering;
    bool m_previousInList = false;
    qint64 m_pixelBudget = PictureDecoder::DocumentPixelBudget;
};
