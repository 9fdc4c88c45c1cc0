#pragma once

#include <QBuffer>
#include <QImage>

// A picture file's bytes as the format writes them.
inline QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A JPEG whose header claims 50000 x 50000 pixels; its data is 8 x 8.
inline QByteArray jpegClaimingHugeSize()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QByteArray bytes = encoded(image, "JPEG");
    bytes.replace(bytes.indexOf("\xFF\xC0") + 5, 4, "\xC3\x50\xC3\x50"); // height, width
    return bytes;
}
