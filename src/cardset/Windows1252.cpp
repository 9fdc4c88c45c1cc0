#include "cardset/Windows1252.h"

namespace {

// 0x80..0x9F; 0 marks the five unassigned bytes, which decode to the C1
// control of the same value as Windows itself does.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

} // namespace

QString Windows1252::decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        char16_t ch = b;
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0)
            ch = kHigh[b - 0x80];
        *dst++ = QChar(ch);
    }
    return out;
}

int Windows1252::byteFor(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    if (ch < 0xA0) // an unassigned byte decoded as its C1 control
        return kHigh[ch - 0x80] == 0 ? int(ch) : -1;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == ch)
            return 0x80 + i;
    }
    return -1;
}

QByteArray Windows1252::encode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const int b = byteFor(ch.unicode());
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

bool Windows1252::canEncode(QStringView text)
{
    for (QChar ch : text) {
        if (byteFor(ch.unicode()) < 0)
            return false;
    }
    return true;
}
