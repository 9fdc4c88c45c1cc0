#pragma once

#include <QByteArray>
#include <QString>

// Code page 1252, the encoding of every text that the Windows versions of
// the program store (chunk names, settings texts).
class Windows1252
{
public:
    static QString decode(QByteArrayView bytes);
    // Characters the code page lacks become '?'.
    static QByteArray encode(QStringView text);
    static bool canEncode(QStringView text);
    // The byte for one character, or -1 when the code page lacks it.
    static int byteFor(char16_t ch);
};
