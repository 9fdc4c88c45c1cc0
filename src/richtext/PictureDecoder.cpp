#include "richtext/PictureDecoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

namespace {

quint16 u16(QByteArrayView d, qsizetype at)
{
    return qFromLittleEndian<quint16>(d.data() + at);
}
quint32 u32(QByteArrayView d, qsizetype at)
{
    return qFromLittleEndian<quint32>(d.data() + at);
}

QImage readImage(QByteArrayView data, const char *format, qint64 maxPixels)
{
    QByteArray bytes = QByteArray::fromRawData(data.data(), data.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(format == nullptr);
    const QSize size = reader.size();
    if (size.isValid()
        && (size.width() > PictureDecoder::MaxSide || size.height() > PictureDecoder::MaxSide
            || qint64(size.width()) * size.height() > maxPixels))
        return QImage();
    reader.setAllocationLimit(256);
    QImage image = reader.read();
    if (qint64(image.width()) * image.height() > maxPixels)
        return QImage();
    return image;
}

// Bits per pixel of a DIB, 0 when the header is not one.
int dibDepth(QByteArrayView dib)
{
    if (dib.size() < 16)
        return 0;
    const quint32 headerSize = u32(dib, 0);
    if (headerSize == 12)
        return u16(dib, 10);
    if (headerSize >= 40 && headerSize <= 124 && dib.size() >= 40)
        return u16(dib, 14);
    return 0;
}

// Keeps the deepest DIB; a later one of equal depth wins (the mask comes first).
void consider(QByteArray &best, int &bestDepth, QByteArrayView dib)
{
    const int depth = dibDepth(dib);
    if (depth <= 0 || depth > 32)
        return;
    if (depth >= bestDepth) {
        best = dib.toByteArray();
        bestDepth = depth;
    }
}

} // namespace

QImage PictureDecoder::fromDib(QByteArrayView dib, qint64 maxPixels)
{
    if (dib.size() < 16)
        return QImage();
    const quint32 headerSize = u32(dib, 0);
    qsizetype paletteBytes = 0;
    qsizetype maskBytes = 0;
    qint64 width = 0, height = 0;
    if (headerSize == 12) {
        width = u16(dib, 4);
        height = u16(dib, 6);
        const int bpp = u16(dib, 10);
        if (bpp <= 8)
            paletteBytes = qsizetype(3) << bpp;
    } else if (headerSize >= 40 && headerSize <= 124 && dib.size() >= 40) {
        width = qint32(u32(dib, 4));
        height = qint32(u32(dib, 8));
        const int bpp = u16(dib, 14);
        const quint32 compression = u32(dib, 16);
        quint32 colors = u32(dib, 32);
        if (colors == 0 && bpp <= 8)
            colors = 1u << bpp;
        colors = quint32(qBound<qint64>(0, colors, qMax<qint64>(0, (dib.size() - qint64(headerSize)) / 4)));
        paletteBytes = qsizetype(colors) * 4;
        if (headerSize == 40 && compression == 3)
            maskBytes = 12;
        else if (headerSize == 40 && compression == 6)
            maskBytes = 16;
    } else {
        return QImage();
    }
    if (width <= 0 || width > MaxSide || height == 0 || qAbs(height) > MaxSide || width * qAbs(height) > maxPixels)
        return QImage();
    const qsizetype offset = 14 + headerSize + maskBytes + paletteBytes;
    QByteArray bmp;
    bmp.reserve(14 + dib.size());
    bmp.append("BM", 2);
    char field[4];
    qToLittleEndian<quint32>(quint32(14 + dib.size()), field);
    bmp.append(field, 4);
    bmp.append(4, '\0');
    qToLittleEndian<quint32>(quint32(offset), field);
    bmp.append(field, 4);
    bmp.append(dib.data(), dib.size());
    return readImage(bmp, "BMP", maxPixels);
}

QByteArray PictureDecoder::dibFromWmf(QByteArrayView wmf)
{
    qsizetype pos = 0;
    if (wmf.size() >= 22 && u32(wmf, 0) == 0x9AC6CDD7u)
        pos = 22; // placeable header
    if (wmf.size() < pos + 18)
        return QByteArray();
    const quint16 headerWords = u16(wmf, pos + 2);
    if (headerWords < 9)
        return QByteArray();
    pos += qsizetype(headerWords) * 2;
    QByteArray best;
    int bestDepth = 0;
    while (pos + 6 <= wmf.size()) {
        const qint64 bytes = qint64(u32(wmf, pos)) * 2;
        const quint16 function = u16(wmf, pos + 4);
        if (bytes < 6 || pos + bytes > wmf.size())
            break;
        if (function == 0)
            break; // META_EOF
        qsizetype dibAt = -1;
        switch (function) {
        case 0x0B41: dibAt = 26; break; // META_DIBSTRETCHBLT
        case 0x0F43: dibAt = 28; break; // META_STRETCHDIB
        case 0x0940: dibAt = 22; break; // META_DIBBITBLT
        case 0x0D33: dibAt = 24; break; // META_SETDIBTODEV
        default: break;
        }
        if (dibAt > 0 && bytes > dibAt + 12)
            consider(best, bestDepth, wmf.sliced(pos + dibAt, bytes - dibAt));
        pos += bytes;
    }
    return best;
}

QByteArray PictureDecoder::dibFromEmf(QByteArrayView emf)
{
    if (emf.size() < 44 || u32(emf, 0) != 1 || u32(emf, 40) != 0x464D4520u)
        return QByteArray();
    QByteArray best;
    int bestDepth = 0;
    qsizetype pos = 0;
    while (pos + 8 <= emf.size()) {
        const quint32 type = u32(emf, pos);
        const qint64 size = u32(emf, pos + 4);
        if (size < 8 || pos + size > emf.size())
            break;
        if (type == 14)
            break; // EMR_EOF
        qsizetype fields = -1;
        if (type == 80 || type == 81) // EMR_SETDIBITSTODEVICE, EMR_STRETCHDIBITS
            fields = 48;
        else if (type == 76 || type == 77) // EMR_BITBLT, EMR_STRETCHBLT
            fields = 84;
        if (fields > 0 && size >= fields + 16) {
            const QByteArrayView rec = emf.sliced(pos, size);
            const quint32 offBmi = u32(rec, fields), cbBmi = u32(rec, fields + 4);
            const quint32 offBits = u32(rec, fields + 8), cbBits = u32(rec, fields + 12);
            if (cbBmi >= 12 && qint64(offBmi) + cbBmi <= size && qint64(offBits) + cbBits <= size) {
                QByteArray dib = rec.sliced(offBmi, cbBmi).toByteArray();
                dib.append(rec.sliced(offBits, cbBits).data(), cbBits);
                consider(best, bestDepth, dib);
            }
        }
        pos += size;
    }
    return best;
}

QImage PictureDecoder::decodeData(int type, QByteArrayView data, qint64 maxPixels)
{
    if (data.isEmpty())
        return QImage();
    switch (type) {
    case RtfPictureData::Png: return readImage(data, "PNG", maxPixels);
    case RtfPictureData::Jpeg: return readImage(data, "JPEG", maxPixels);
    case RtfPictureData::Dib: return fromDib(data, maxPixels);
    case RtfPictureData::Wmf: {
        const QByteArray dib = dibFromWmf(data);
        return dib.isEmpty() ? QImage() : fromDib(dib, maxPixels);
    }
    case RtfPictureData::Emf: {
        const QByteArray dib = dibFromEmf(data);
        return dib.isEmpty() ? QImage() : fromDib(dib, maxPixels);
    }
    case RtfPictureData::Unknown:
        // some writers leave out the blip type; let the content decide
        return readImage(data, nullptr, maxPixels);
    default: return QImage();
    }
}

QSize PictureDecoder::shownTwips(const RtfPictureData &p, QSize imageSize)
{
    qint64 w = 0, h = 0;
    if (p.goalw > 0 && p.goalh > 0) {
        w = p.goalw;
        h = p.goalh;
    } else if ((p.type == RtfPictureData::Wmf || p.type == RtfPictureData::Emf) && p.picw > 0 && p.pich > 0) {
        w = qint64(p.picw) * 1440 / 2540; // HIMETRIC
        h = qint64(p.pich) * 1440 / 2540;
    } else if (!imageSize.isEmpty()) {
        w = qint64(imageSize.width()) * 15;
        h = qint64(imageSize.height()) * 15;
    } else if (p.picw > 0 && p.pich > 0) {
        w = qint64(p.picw) * 15;
        h = qint64(p.pich) * 15;
    } else if (p.isObject && p.objw > 0 && p.objh > 0) {
        w = p.objw;
        h = p.objh;
    } else {
        w = h = 1500;
    }
    const int sx = p.scalex > 0 ? p.scalex : 100;
    const int sy = p.scaley > 0 ? p.scaley : 100;
    w = w * sx / 100;
    h = h * sy / 100;
    if (p.isObject && p.goalw <= 0 && p.objw > 0 && p.objh > 0 && imageSize.isEmpty()) {
        w = qint64(p.objw) * (p.objscalex > 0 ? p.objscalex : 100) / 100;
        h = qint64(p.objh) * (p.objscaley > 0 ? p.objscaley : 100) / 100;
    }
    // at most about 3 m: enormous sizes in damaged files stay drawable
    constexpr qint64 limit = 15 * 12000;
    return QSize(int(qBound<qint64>(15, w, limit)), int(qBound<qint64>(15, h, limit)));
}

QImage PictureDecoder::placeholder(QSize pixels)
{
    QSize size = pixels.expandedTo(QSize(2, 2));
    if (size.width() > 200 || size.height() > 200)
        size = size.scaled(200, 200, Qt::KeepAspectRatio).expandedTo(QSize(2, 2));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return image;
}

PictureDecoder::Result PictureDecoder::decode(const RtfPictureData &picture, qint64 &pixelBudget)
{
    Result result;
    result.image = decodeData(picture.type, picture.data, qMax<qint64>(0, pixelBudget));
    const QSize twips = shownTwips(picture, result.image.size());
    result.size = QSizeF(twips.width() / 15.0, twips.height() / 15.0);
    if (result.image.isNull()) {
        QSize size(qRound(result.size.width()), qRound(result.size.height()));
        if (pixelBudget < 200 * 200)
            size = QSize(8, 8);
        result.image = placeholder(size);
        result.placeholder = true;
    }
    pixelBudget -= qint64(result.image.width()) * result.image.height();
    return result;
}
