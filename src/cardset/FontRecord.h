#pragma once

#include <QString>
#include <QtGlobal>

// A font as the card set file stores it. The colour stays the file's
// 32-bit value (0x00BBGGRR, or a system colour with the high bit set) so
// that it round-trips unchanged; the window layer maps it to Qt types.
struct FontRecord
{
    QString Name = QStringLiteral("Arial");
    qint32 Size = 10;
    qint32 Color = 0;
    bool Bold = false;
    bool Italic = false;
    bool UnderLine = false;
    bool StrikeOut = false;

    bool operator==(const FontRecord &) const = default;
};

// Colour values with a meaning of their own.
namespace StoredColor {
constexpr qint32 Black = 0;
constexpr qint32 White = 0x00FFFFFF;
constexpr qint32 SystemFlag = qint32(0x80000000u);
// The system's window background, the start value of a header line.
constexpr qint32 SystemWindow = qint32(0x80000005u);
constexpr qint32 SystemWindowText = qint32(0x80000008u);

constexpr bool isSystem(qint32 value)
{
    return (quint32(value) & 0x80000000u) != 0;
}
constexpr qint32 fromRgb(int r, int g, int b)
{
    return qint32((quint32(b & 0xFF) << 16) | (quint32(g & 0xFF) << 8) | quint32(r & 0xFF));
}
constexpr int red(qint32 value)
{
    return int(quint32(value) & 0xFF);
}
constexpr int green(qint32 value)
{
    return int((quint32(value) >> 8) & 0xFF);
}
constexpr int blue(qint32 value)
{
    return int((quint32(value) >> 16) & 0xFF);
}
} // namespace StoredColor
