#include "exchange/TextEncoding.h"

#include "cardset/Windows1252.h"

#include <QStringDecoder>

namespace {

bool hasUtf8Bom(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

bool hasUtf16LeBom(QByteArrayView bytes)
{
    return bytes.startsWith("\xFF\xFE");
}

bool hasUtf16BeBom(QByteArrayView bytes)
{
    return bytes.startsWith("\xFE\xFF");
}

int lineOfByte(QByteArrayView bytes, qsizetype offset)
{
    return 1 + int(QByteArrayView(bytes.data(), offset).count('\n'));
}

bool isUnassigned1252(unsigned char byte)
{
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

} // namespace

qsizetype TextEncoding::firstInvalidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if ((b & 0xE0) == 0xC0) {
            length = 2;
            code = b & 0x1F;
            least = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            length = 3;
            code = b & 0x0F;
            least = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            length = 4;
            code = b & 0x07;
            least = 0x10000;
        } else {
            return i;
        }
        if (i + length > n)
            return i;
        for (int k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return i;
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond Unicode are no
        // UTF-8 either.
        if (code < least || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return i;
        i += length;
    }
    return -1;
}

TextEncoding::Encoding TextEncoding::detect(QByteArrayView bytes)
{
    if (hasUtf8Bom(bytes))
        return Encoding::Utf8;
    if (hasUtf16LeBom(bytes) || hasUtf16BeBom(bytes))
        return Encoding::Utf16;
    return firstInvalidUtf8(bytes) < 0 ? Encoding::Utf8 : Encoding::Windows1252;
}

int TextEncoding::firstUndecodableLine(QByteArrayView bytes, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8: {
        const qsizetype bad = firstInvalidUtf8(bytes);
        return bad < 0 ? 0 : lineOfByte(bytes, bad);
    }
    case Encoding::Windows1252:
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (isUnassigned1252(static_cast<unsigned char>(bytes[i])))
                return lineOfByte(bytes, i);
        }
        return 0;
    case Encoding::Utf16: {
        // Without a mark the bytes are read as little-endian, as Windows
        // writes them.
        const bool bigEndian = hasUtf16BeBom(bytes);
        const qsizetype units = bytes.size() / 2;
        int line = 1;
        for (qsizetype i = 0; i < units; ++i) {
            const auto hi = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 0 : 1)]);
            const auto lo = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 1 : 0)]);
            const char16_t unit = char16_t((hi << 8) | lo);
            if (QChar::isHighSurrogate(unit)) {
                if (i + 1 >= units)
                    return line;
                const auto hi2 = static_cast<unsigned char>(bytes[2 * (i + 1) + (bigEndian ? 0 : 1)]);
                if ((hi2 & 0xFC) != 0xDC)
                    return line;
                ++i;
            } else if (QChar::isLowSurrogate(unit)) {
                return line;
            } else if (unit == u'\n') {
                ++line;
            }
        }
        return bytes.size() % 2 != 0 ? line : 0;
    }
    }
    return 0;
}

QString TextEncoding::decode(QByteArrayView bytes, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8: return QString::fromUtf8(hasUtf8Bom(bytes) ? bytes.sliced(3) : bytes);
    case Encoding::Windows1252: return Windows1252::decode(bytes);
    case Encoding::Utf16: {
        const bool bigEndian = hasUtf16BeBom(bytes);
        const bool marked = bigEndian || hasUtf16LeBom(bytes);
        QStringDecoder decoder(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
        return decoder.decode(marked ? bytes.sliced(2) : bytes);
    }
    }
    return QString();
}

QString TextEncoding::name(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8: return QStringLiteral("UTF-8");
    case Encoding::Windows1252: return QStringLiteral("Windows-1252");
    case Encoding::Utf16: return QStringLiteral("UTF-16");
    }
    return QString();
}
