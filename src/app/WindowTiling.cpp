#include "app/WindowTiling.h"

#include <cmath>

namespace {

// `count` windows in `lines` lines across `length`, the first lines taking
// one window less when they do not divide evenly.
QList<QRect> grid(const QRect &area, int count, bool stackVertically)
{
    QList<QRect> places;
    if (count <= 0 || area.isEmpty())
        return places;
    const int lines = std::max(1, int(std::sqrt(double(count))));
    const int across = stackVertically ? area.width() : area.height();
    const int along = stackVertically ? area.height() : area.width();
    int placed = 0;
    for (int line = 0; line < lines; ++line) {
        const int inLine = (count - placed) / (lines - line);
        const int lineStart = line * across / lines;
        const int lineEnd = (line + 1) * across / lines;
        for (int i = 0; i < inLine; ++i) {
            const int start = i * along / inLine;
            const int end = (i + 1) * along / inLine;
            if (stackVertically)
                places.append(QRect(area.left() + lineStart, area.top() + start, lineEnd - lineStart, end - start));
            else
                places.append(QRect(area.left() + start, area.top() + lineStart, end - start, lineEnd - lineStart));
        }
        placed += inLine;
    }
    return places;
}

} // namespace

QList<QRect> WindowTiling::horizontal(const QRect &area, int count)
{
    return grid(area, count, true);
}

QList<QRect> WindowTiling::vertical(const QRect &area, int count)
{
    return grid(area, count, false);
}

QList<QRect> WindowTiling::iconRow(const QRect &area, const QSize &iconSize, int count)
{
    QList<QRect> places;
    if (iconSize.isEmpty())
        return places;
    const int perRow = std::max(1, area.width() / iconSize.width());
    for (int i = 0; i < count; ++i) {
        const int row = i / perRow;
        const int column = i % perRow;
        places.append(QRect(QPoint(area.left() + column * iconSize.width(), area.bottom() + 1 - (row + 1) * iconSize.height()), iconSize));
    }
    return places;
}

QRect WindowTiling::cascaded(const QRect &area, const QSize &size, int index, int step)
{
    const QSize fitted = size.boundedTo(area.size());
    const int room = std::min(area.width() - fitted.width(), area.height() - fitted.height());
    const int places = step > 0 ? room / step + 1 : 1;
    const int offset = (std::max(0, index) % places) * std::max(0, step);
    return QRect(area.topLeft() + QPoint(offset, offset), fitted);
}
