#pragma once

#include "richtext/RtfTypes.h"

#include <QStringView>

// Receives what RtfParser reads, in document order. The character state
// passed with each call is the one in force for that content; font and
// colour numbers are resolved through the parser.
class RtfSink
{
public:
    virtual ~RtfSink() = default;
    virtual void text(QStringView text, const RtfCharState &state) = 0;
    // \line: a line break inside the paragraph.
    virtual void lineBreak(const RtfCharState &state) = 0;
    // \par; the paragraph's formatting and that of its paragraph mark.
    virtual void paragraphEnd(const RtfParaState &para, const RtfCharState &mark) = 0;
    // \cell: ends the paragraph that ends a table cell; \row: ends the row.
    virtual void cellEnd(const RtfParaState &para, const RtfCharState &mark) = 0;
    virtual void rowEnd(const RtfRowState &row) = 0;
    virtual void picture(const RtfPictureData &picture, const RtfCharState &state) = 0;
    // The input ends; paragraph formatting in force for a last paragraph
    // that has no \par of its own.
    virtual void documentEnd(const RtfParaState &para, const RtfCharState &mark) = 0;
};
