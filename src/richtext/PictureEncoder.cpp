#include "richtext/PictureEncoder.h"

#include "richtext/ColorQuantizer.h"
#include "richtext/LittleEndian.h"

#include <cmath>

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

// One row of 8-bit pixels in BI_RLE8: runs of one index, and absolute
// stretches (at least 3 pixels, padded to a word) where nothing repeats.
void appendRle8Row(QByteArray &out, const uchar *p, int w)
{
    int i = 0;
    while (i < w) {
        int run = 1;
        while (i + run < w && run < 255 && p[i + run] == p[i])
            ++run;
        if (run >= 3) {
            out.append(char(run));
            out.append(char(p[i]));
            i += run;
            continue;
        }
        // up to where a run of 3 begins
        int end = i;
        while (end < w && end - i < 255 && !(end + 2 < w && p[end] == p[end + 1] && p[end] == p[end + 2]))
            ++end;
        const int n = end - i;
        if (n < 3) {
            for (int k = 0; k < n; ++k) {
                out.append(char(1));
                out.append(char(p[i + k]));
            }
        } else {
            out.append(char(0));
            out.append(char(n));
            out.append(reinterpret_cast<const char *>(p + i), n);
            if (n & 1)
                out.append(char(0));
        }
        i = end;
    }
}

// An 8-bit DIB of the image, run-length coded where that is shorter.
QByteArray dib8(const QImage &image)
{
    const QImage indexed = ColorQuantizer::toIndexed8(image);
    const int w = indexed.width(), h = indexed.height();
    const int stride = (w + 3) & ~3;
    QByteArray rle;
    for (int y = h - 1; y >= 0; --y) { // bottom-up
        appendRle8Row(rle, indexed.constScanLine(y), w);
        rle.append(char(0));
        rle.append(char(y == 0 ? 1 : 0)); // end of line, of the bitmap
    }
    const bool compressed = rle.size() < qsizetype(stride) * h;
    const QList<QRgb> table = indexed.colorTable();
    QByteArray dib;
    LittleEndian::append32(dib, 40);
    LittleEndian::append32(dib, quint32(w));
    LittleEndian::append32(dib, quint32(h));
    LittleEndian::append16(dib, 1);
    LittleEndian::append16(dib, 8);
    LittleEndian::append32(dib, compressed ? 1 : 0); // BI_RLE8 or BI_RGB
    LittleEndian::append32(dib, quint32(compressed ? rle.size() : qsizetype(stride) * h));
    LittleEndian::append32(dib, 0);
    LittleEndian::append32(dib, 0);
    LittleEndian::append32(dib, quint32(table.size()));
    LittleEndian::append32(dib, 0);
    for (const QRgb c : table) {
        dib.append(char(qBlue(c)));
        dib.append(char(qGreen(c)));
        dib.append(char(qRed(c)));
        dib.append(char(0));
    }
    if (compressed) {
        dib.append(rle);
    } else {
        QByteArray row(stride, '\0');
        for (int y = h - 1; y >= 0; --y) {
            memcpy(row.data(), indexed.constScanLine(y), size_t(w));
            dib.append(row);
        }
    }
    return dib;
}

// A Windows metafile that draws the DIB into its own extent; readers
// stretch the extent to the picture's goal size.
QByteArray metafileAround(const QByteArray &dib, QSize size)
{
    const quint16 w = quint16(size.width()), h = quint16(size.height());
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
    const quint32 bltWords = quint32((26 + dib.size() + 1) / 2);
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
    if (dib.size() & 1)
        records.append(char(0)); // records are whole words
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

QSize scaledBy(QSize size, double factor)
{
    return QSize(qMax(1, qRound(size.width() * factor)), qMax(1, qRound(size.height() * factor)));
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
    return metafileAround(dib24(image), image.size());
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

QByteArray PictureEncoder::compactMetafilePict(const QImage &image, QSize shownPixels, qsizetype maxBytes)
{
    shownPixels = shownPixels.expandedTo(QSize(1, 1));
    // never more pixels than shown or than the picture has
    const QSize most = image.size().scaled(shownPixels.boundedTo(image.size()), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    // an 8-bit pixel is a byte at most; the header and palette take about 1 KB
    const qsizetype room = qMax<qsizetype>(maxBytes - 1200, 256);
    double factor = std::min(1.0, std::sqrt(double(room) / (double(most.width()) * most.height())));
    QByteArray wmf;
    bool fitted = false;
    // run-length coding may leave room for more pixels, a photo's
    // headers for fewer: a few steps towards the budget
    for (int step = 0; step < 5; ++step) {
        const QSize trying = scaledBy(most, factor);
        const QImage scaled = trying == image.size() ? image : image.scaled(trying, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QByteArray attempt = metafileAround(dib8(scaled), trying);
        const bool fits = attempt.size() <= maxBytes;
        if (wmf.isEmpty() || (fits && (!fitted || attempt.size() > wmf.size()))) {
            wmf = attempt;
            fitted = fits;
        }
        if (fits && (trying == most || attempt.size() > maxBytes * 3 / 4))
            break;
        if (!fits && fitted)
            break; // one step too far: the one before stays
        const double next = std::min(1.0, factor * std::sqrt(double(maxBytes) / double(attempt.size())) * 0.95);
        if (scaledBy(most, next) == trying)
            break;
        factor = next;
    }
    const QSize himetric(qRound(shownPixels.width() * 2540.0 / 96), qRound(shownPixels.height() * 2540.0 / 96));
    return plainPictRtf(RtfPictureData::Wmf, wmf, shownPixels, himetric);
}

QByteArray PictureEncoder::withFallback(QByteArrayView originalRtf, const QImage &image, QSize shownPixels)
{
    QByteArray out = "{\\*\\quillopict ";
    out.append(originalRtf.data(), originalRtf.size());
    out += '}';
    out += compactMetafilePict(image, shownPixels, qMax<qsizetype>(MinFallbackBytes, originalRtf.size() / 5));
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
