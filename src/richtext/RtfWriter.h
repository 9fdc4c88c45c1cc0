#pragma once

#include <QByteArray>

class QTextDocument;

// Writes a QTextDocument as RTF in the Windows RichEdit dialect.
class RtfWriter
{
public:
    static QByteArray write(const QTextDocument &document);
};
