#include "RtfReader.h"

#include <QTextDocument>

// Interim reader: plain text only, until the full codec lands.
QStringList RtfReader::textLines(QByteArrayView rtf)
{
    QString text;
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            --depth;
        } else if (c == '\\') {
            qsizetype j = i + 1;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
                ++j;
            const QByteArrayView word = rtf.sliced(i + 1, j - i - 1);
            while (j < rtf.size() && (rtf[j] == '-' || std::isdigit(static_cast<unsigned char>(rtf[j]))))
                ++j;
            if (j < rtf.size() && rtf[j] == ' ')
                ++j;
            if (word == "par")
                text += QLatin1Char('\n');
            i = j - 1;
        } else if (c != '\r' && c != '\n' && depth == 1) {
            text += QLatin1Char(c);
        }
    }
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void RtfReader::read(QByteArrayView rtf, QTextDocument &document)
{
    document.setPlainText(textLines(rtf).join(QLatin1Char('\n')));
}
