#pragma once

#include "richtext/RtfSink.h"

#include <QStringList>

// Collects the plain text lines of a face: one line per paragraph and per
// \line break; a table row is one line with a tab after each cell.
// Pictures and objects leave no character.
class RtfTextSink : public RtfSink
{
public:
    QStringList takeLines() { return std::move(m_lines); }

    void text(QStringView text, const RtfCharState &) override
    {
        m_current += text;
        m_hasContent = true;
    }
    void lineBreak(const RtfCharState &) override
    {
        endLine();
        m_hasContent = true;
    }
    void paragraphEnd(const RtfParaState &, const RtfCharState &) override
    {
        endLine();
        m_hasContent = false;
    }
    void cellEnd(const RtfParaState &, const RtfCharState &) override
    {
        m_current += QLatin1Char('\t');
        m_hasContent = true;
    }
    void rowEnd(const RtfRowState &) override
    {
        endLine();
        m_hasContent = false;
    }
    void picture(const RtfPictureData &, const RtfCharState &) override { m_hasContent = true; }
    void documentEnd(const RtfParaState &, const RtfCharState &) override
    {
        // The final \par merges with the document's own end: no empty last line.
        if (m_hasContent)
            endLine();
    }

private:
    void endLine()
    {
        m_lines.append(m_current);
        m_current.clear();
    }

    QStringList m_lines;
    QString m_current;
    bool m_hasContent = false; // text, a picture or a line break since the last \par
};
