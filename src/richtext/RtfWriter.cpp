#include "RtfWriter.h"

#include <QTextDocument>

// Interim writer: plain text only, until the full codec lands.
QByteArray RtfWriter::write(const QTextDocument &document)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs24 ";
    const QString text = document.toPlainText();
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\n' || u == QChar::ParagraphSeparator)
            out += "\\par\r\n";
        else if (u == '\\' || u == '{' || u == '}')
            out += '\\', out += char(u);
        else if (u < 0x80)
            out += char(u);
        else
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
    }
    out += "\\par\r\n}\r\n";
    return out;
}
