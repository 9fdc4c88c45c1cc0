#include "richtext/RtfReader.h"

#include "richtext/RtfDocumentBuilder.h"
#include "richtext/RtfParser.h"
#include "richtext/RtfTextSink.h"

#include <QTextCursor>
#include <QTextDocument>

void RtfReader::read(QByteArrayView rtf, QTextDocument &document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false); // also empties the undo stack
    document.clear();
    {
        RtfDocumentBuilder builder(document);
        RtfParser parser(rtf, builder, true);
        builder.setParser(&parser);
        QTextCursor batch(&document);
        batch.beginEditBlock();
        parser.run();
        batch.endEditBlock();
    }
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

QStringList RtfReader::textLines(QByteArrayView rtf)
{
    RtfTextSink sink;
    RtfParser parser(rtf, sink, false);
    parser.run();
    return sink.takeLines();
}
