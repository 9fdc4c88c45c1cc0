#pragma once

#include <QByteArrayView>
#include <QString>

// The encodings word lists come in: how to tell them apart, where bytes do
// not fit one, and the text they hold.
class TextEncoding
{
public:
    enum class Encoding { Utf8, Windows1252, Utf16 };

    // A byte order mark decides; without one, bytes that are valid UTF-8
    // are UTF-8 and anything else Windows-1252, which spreadsheets on a
    // German Windows write.
    static Encoding detect(QByteArrayView bytes);
    // The line (from 1) of the first bytes that `encoding` cannot decode;
    // 0 when all of them decode. The five bytes Windows-1252 leaves
    // unassigned count as undecodable.
    static int firstUndecodableLine(QByteArrayView bytes, Encoding encoding);
    // The text without its byte order mark; undecodable bytes become
    // U+FFFD (or, in Windows-1252, their C1 controls).
    static QString decode(QByteArrayView bytes, Encoding encoding);

    // "UTF-8", "Windows-1252", "UTF-16".
    static QString name(Encoding encoding);

private:
    static qsizetype firstInvalidUtf8(QByteArrayView bytes);
};
