#pragma once

#include <QList>
#include <QRect>

// Places for document windows side by side in the work area.
class WindowTiling
{
public:
    // Windows one above the other (in several columns when there are
    // many), each as wide as its column.
    static QList<QRect> horizontal(const QRect &area, int count);
    // Windows side by side (in several rows when there are many).
    static QList<QRect> vertical(const QRect &area, int count);
    // Minimised windows of `iconSize` in rows along the bottom edge.
    static QList<QRect> iconRow(const QRect &area, const QSize &iconSize, int count);
    // The place of the new window number `index` (from 0) of `size`, each
    // one `step` right of and below the one before, starting again at the
    // top left corner before a window would reach out of the area; a window
    // larger than the area shrinks to it.
    static QRect cascaded(const QRect &area, const QSize &size, int index, int step);
};
