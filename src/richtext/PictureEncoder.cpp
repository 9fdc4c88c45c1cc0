#include "richtext/PictureEncoder.h"

#include "richtext/LittleEndian.h"

namespace {

QByteArray dib24(const QImage &source)
{
    // Transparent parts over white, as a paste into a white face looks.
    QImage image(source.size(), QImage::Format_RGB888);
    image.fill(Qt::white);
    {
        QImage converted = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height(); ++y) {
            const QRgb *src = reinterpret_cast<const QRgb *>(converted.constScanLine(y));
            uchar *dst = image.scanLine(y);
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = src[x];
                const int a = qAlpha(p);
                dst[3 * x] = uchar(qRed(p) + (255 - a));
                dst[3 * x + 1] = uchar(qGreen(p) + (255 - a));
                dst[3 * x + 2] = uchar(qBlue(p) + (255 - a));
            }
        }
    }
    const int w = image.width(), h = image.height();
    const int stride = (w * 3 + 3) & ~3;
    QByteArray dib;
    dib.reserve(40 + stride * h);
    LittleEndian::append32(dib, 40);
    LittleEndian::append32(dib, quint32(w));
    LittleEndian::append32(dib, quint32(h));
    LittleEndian::append16(dib, 1);
    LittleEndian::append16(dib, 24);
    LittleEndian::append32(dib, 0); // BI_RGB
    LittleEndian::append32(dib, quint32(stride * h));
    LittleEndian::append32(dib, 0);
    LittleEndian::append32(dib, 0);
    LittleEndian::append32(dib, 0);
    LittleEndian::append32(dib, 0);
    QByteArray row(stride, '\0');
    for (int y = h - 1; y >= 0; --y) { // bottom-up
        const uchar *src = image.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = char(src[3 * x + 2]); // B G R
            row[3 * x + 1] = char(src[3 * x + 1]);
            row[3 * x + 2] = char(src[3 * x]);
        }
        dib.append(row);
    }
    return dib;
}

void appendWord(QByteArray &out, const char *word, qint64 value)
{
    out.append(word);
    out.append(QByteArray::number(value));
}

} // namespace

void PictureEncoder::appendHex(QByteArray &out, QByteArrayView data)
{
    static const char digits[] = "0123456789abcdef";
    out.reserve(out.size() + data.size() * 2 + data.size() / 64 * 2 + 2);
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (i % 64 == 0)
            out.append("\r\n", 2);
        const auto b = static_cast<unsigned char>(data[i]);
        out.append(digits[b >> 4]);
        out.append(digits[b & 15]);
    }
}

QByteArray PictureEncoder::metafileWithDib(const QImage &image)
{
    const QByteArray dib = dib24(image);
    const quint16 w = quint16(image.width()), h = quint16(image.height());
    QByteArray records;
    // SETMAPMODE MM_ANISOTROPIC, window origin and extent, then the bitmap
    LittleEndian::append32(records, 4);
    LittleEndian::append16(records, 0x0103);
    LittleEndian::append16(records, 8);
    LittleEndian::append32(records, 5);
    LittleEndian::append16(records, 0x020B);
    LittleEndian::append16(records, 0);
    LittleEndian::append16(records, 0);
    LittleEndian::append32(records, 5);
    LittleEndian::append16(records, 0x020C);
    LittleEndian::append16(records, h);
    LittleEndian::append16(records, w);
    LittleEndian::append32(records, 3);
    LittleEndian::append16(records, 0x001E); // SAVEDC
    LittleEndian::append32(records, 4);
    LittleEndian::append16(records, 0x0107);
    LittleEndian::append16(records, 3); // SETSTRETCHBLTMODE COLORONCOLOR
    const quint32 bltWords = quint32((26 + dib.size()) / 2);
    LittleEndian::append32(records, bltWords);
    LittleEndian::append16(records, 0x0B41);     // META_DIBSTRETCHBLT
    LittleEndian::append32(records, 0x00CC0020); // SRCCOPY
    LittleEndian::append16(records, h);
    LittleEndian::append16(records, w);
    LittleEndian::append16(records, 0);
    LittleEndian::append16(records, 0); // source
    LittleEndian::append16(records, h);
    LittleEndian::append16(records, w);
    LittleEndian::append16(records, 0);
    LittleEndian::append16(records, 0); // destination
    records.append(dib);
    LittleEndian::append32(records, 4);
    LittleEndian::append16(records, 0x0127);
    LittleEndian::append16(records, 0xFFFF); // RESTOREDC -1
    LittleEndian::append32(records, 3);
    LittleEndian::append16(records, 0); // EOF
    QByteArray wmf;
    LittleEndian::append16(wmf, 1);      // memory metafile
    LittleEndian::append16(wmf, 9);      // header words
    LittleEndian::append16(wmf, 0x0300); // version
    LittleEndian::append32(wmf, quint32((18 + records.size()) / 2));
    LittleEndian::append16(wmf, 0); // objects
    LittleEndian::append32(wmf, bltWords);
    LittleEndian::append16(wmf, 0);
    wmf.append(records);
    return wmf;
}

QByteArray PictureEncoder::plainPictRtf(int type, QByteArrayView data, QSize shownPixels, QSize picSize)
{
    QByteArray out = "{\\pict";
    switch (type) {
    case RtfPictureData::Png: out += "\\pngblip"; break;
    case RtfPictureData::Jpeg: out += "\\jpegblip"; break;
    case RtfPictureData::Emf: out += "\\emfblip"; break;
    default: out += "\\wmetafile8"; break;
    }
    appendWord(out, "\\picw", picSize.width());
    appendWord(out, "\\pich", picSize.height());
    appendWord(out, "\\picwgoal", qint64(shownPixels.width()) * 15);
    appendWord(out, "\\pichgoal", qint64(shownPixels.height()) * 15);
    appendHex(out, data);
    out += "\r\n}";
    return out;
}

QByteArray PictureEncoder::metafilePict(const QImage &image, QSize shownPixels)
{
    shownPixels = shownPixels.expandedTo(QSize(1, 1));
    QImage dibImage = image;
    if (image.width() > shownPixels.width() || image.height() > shownPixels.height())
        dibImage =
            image.scaled(shownPixels.boundedTo(image.size()).expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // HIMETRIC of the shown size at 96 per inch
    const QSize himetric(qRound(shownPixels.width() * 2540.0 / 96), qRound(shownPixels.height() * 2540.0 / 96));
    return plainPictRtf(RtfPictureData::Wmf, metafileWithDib(dibImage), shownPixels, himetric);
}

QByteArray PictureEncoder::withFallback(QByteArrayView originalRtf, const QImage &image, QSize shownPixels)
{
    QByteArray out = "{\\*\\quillopict ";
    out.append(originalRtf.data(), originalRtf.size());
    out += '}';
    out += metafilePict(image, shownPixels);
    return out;
}

bool PictureEncoder::needsFallback(QByteArrayView rtf)
{
    // Objects show their result picture; metafiles and DIBs are shown.
    if (rtf.startsWith("{\\object") || rtf.startsWith("{\\nonshppict"))
        return false;
    // The first picture type named decides; picture data never holds a
    // backslash, so a search is safe. The type comes before the data, so
    // the head of the group is searched first.
    for (const QByteArrayView part : {rtf.first(qMin<qsizetype>(rtf.size(), 16384)), rtf}) {
        qsizetype first = part.size();
        bool shown = false;
        for (const char *word : {"\\wmetafile", "\\emfblip", "\\dibitmap", "\\wbitmap", "\\pngblip", "\\jpegblip"}) {
            const qsizetype at = part.indexOf(QByteArrayView(word));
            if (at >= 0 && at < first) {
                first = at;
                shown = word[1] != 'p' && word[1] != 'j';
            }
        }
        if (first < part.size())
            return !shown;
    }
    return true;
}
