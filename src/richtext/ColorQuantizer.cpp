#include "richtext/ColorQuantizer.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace {

QImage overWhite(const QImage &source)
{
    QImage converted = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage image(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(converted.constScanLine(y));
        QRgb *dst = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(src[x]);
            dst[x] = qRgb(qRed(src[x]) + 255 - a, qGreen(src[x]) + 255 - a, qBlue(src[x]) + 255 - a);
        }
    }
    return image;
}

inline int binOf(QRgb c)
{
    return (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3;
}

inline int channel(int bin, int which)
{
    return (bin >> (10 - 5 * which)) & 31;
}

struct Bin
{
    quint32 count = 0;
    quint64 r = 0, g = 0, b = 0;
};

struct Box
{
    int begin, end; // a range of the used bins
    int channel = 0;
    qint64 score = 0; // how much splitting it gains; 0: cannot be split
};

void measure(Box &box, const std::vector<int> &used, const std::vector<Bin> &bins)
{
    int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
    qint64 count = 0;
    for (int i = box.begin; i < box.end; ++i) {
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], channel(used[size_t(i)], c));
            hi[c] = std::max(hi[c], channel(used[size_t(i)], c));
        }
        count += bins[size_t(used[size_t(i)])].count;
    }
    box.channel = 0;
    for (int c = 1; c < 3; ++c)
        if (hi[c] - lo[c] > hi[box.channel] - lo[box.channel])
            box.channel = c;
    box.score = box.end - box.begin > 1 ? qint64(hi[box.channel] - lo[box.channel]) * count : 0;
}

} // namespace

QImage ColorQuantizer::toIndexed8(const QImage &source)
{
    const QImage image = overWhite(source);
    const int w = image.width(), h = image.height();
    QImage out(w, h, QImage::Format_Indexed8);

    // few colours: kept exactly
    QHash<QRgb, int> exact;
    for (int y = 0; y < h && exact.size() <= 256; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w && exact.size() <= 256; ++x)
            exact.insert(line[x] | 0xFF000000u, 0);
    }
    if (exact.size() <= 256) {
        QList<QRgb> table = exact.keys();
        std::sort(table.begin(), table.end()); // the same picture, the same bytes
        for (int i = 0; i < table.size(); ++i)
            exact[table[i]] = i;
        out.setColorTable(table);
        for (int y = 0; y < h; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            uchar *dst = out.scanLine(y);
            for (int x = 0; x < w; ++x)
                dst[x] = uchar(exact.value(line[x] | 0xFF000000u));
        }
        return out;
    }

    std::vector<Bin> bins(32768);
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            Bin &b = bins[size_t(binOf(line[x]))];
            ++b.count;
            b.r += quint64(qRed(line[x]));
            b.g += quint64(qGreen(line[x]));
            b.b += quint64(qBlue(line[x]));
        }
    }
    std::vector<int> used;
    for (int i = 0; i < 32768; ++i)
        if (bins[size_t(i)].count)
            used.push_back(i);
    std::vector<Box> boxes{{0, int(used.size())}};
    measure(boxes[0], used, bins);
    while (boxes.size() < 256) {
        const auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box &a, const Box &b) { return a.score < b.score; });
        if (widest->score == 0)
            break;
        Box box = *widest;
        const int c = box.channel;
        std::sort(used.begin() + box.begin, used.begin() + box.end, [c](int a, int b) { return channel(a, c) < channel(b, c); });
        // split where half of the box's pixels lie on either side
        qint64 total = 0;
        for (int i = box.begin; i < box.end; ++i)
            total += bins[size_t(used[size_t(i)])].count;
        qint64 seen = 0;
        int mid = box.begin + 1;
        for (int i = box.begin; i < box.end - 1; ++i) {
            seen += bins[size_t(used[size_t(i)])].count;
            mid = i + 1;
            if (2 * seen >= total)
                break;
        }
        Box low{box.begin, mid}, high{mid, box.end};
        measure(low, used, bins);
        measure(high, used, bins);
        *widest = low;
        boxes.push_back(high);
    }

    QList<QRgb> table;
    std::vector<uchar> index(32768, 0);
    for (const Box &box : boxes) {
        quint64 r = 0, g = 0, b = 0, n = 0;
        for (int i = box.begin; i < box.end; ++i) {
            const Bin &bin = bins[size_t(used[size_t(i)])];
            r += bin.r;
            g += bin.g;
            b += bin.b;
            n += bin.count;
            index[size_t(used[size_t(i)])] = uchar(table.size());
        }
        table.append(qRgb(int(r / n), int(g / n), int(b / n)));
    }
    out.setColorTable(table);
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *dst = out.scanLine(y);
        for (int x = 0; x < w; ++x)
            dst[x] = index[size_t(binOf(line[x]))];
    }
    return out;
}
