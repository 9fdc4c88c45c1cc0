#pragma once

#include <QByteArrayView>
#include <QStringList>

class QTextDocument;

// Reads a card face's RTF bytes, as the Windows RichEdit control writes
// them, into a QTextDocument.
class RtfReader
{
public:
    // Replaces the document's content. Damaged input gives what could be
    // read; never throws.
    static void read(QByteArrayView rtf, QTextDocument &document);
    // The face's plain text lines, straight from the bytes.
    static QStringList textLines(QByteArrayView rtf);
};
