#include "print/SheetGeometry.h"

#include <algorithm>
#include <limits>

namespace {

qint32 clampToInt(qint64 value)
{
    return qint32(std::clamp<qint64>(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

// Millimetres of calibration in pixels; none when the printer reports no
// size in millimetres.
qint64 calibrationPixels(qint32 pixels, qint32 millimetres, qint32 correction)
{
    return millimetres > 0 ? qint64(pixels) * correction / millimetres : 0;
}

} // namespace

SheetGeometry::PageRectResult SheetGeometry::ComputePageRect(const PrinterMetrics &m, const PrintCalibration &calibration)
{
    PageRectResult result;
    EdgeRect &page = result.PageRect;
    page.right = qMax(0, m.PageWidth);
    page.bottom = qMax(0, m.PageHeight);
    result.SX = clampToInt(qint64(m.PaperWidth) - m.PageWidth - 2 * qint64(m.OffsetX));
    result.SY = clampToInt(qint64(m.PaperHeight) - m.PageHeight - 2 * qint64(m.OffsetY));

    const bool portrait = m.Orientation == PageOrientation::Portrait;
    const qint64 left = calibrationPixels(m.PageWidth, m.PageWidthMM, portrait ? calibration.HUX : calibration.QUX) + result.SX;
    const qint64 top = calibrationPixels(m.PageHeight, m.PageHeightMM, portrait ? calibration.HUY : calibration.QUY) + result.SY;
    // A negative shift or correction would put the cut lines and the first
    // column where the printer cannot print; a huge one would leave no card.
    page.left = int(std::clamp<qint64>(left, 0, qMax(0, page.right - 1)));
    page.top = int(std::clamp<qint64>(top, 0, qMax(0, page.bottom - 1)));
    return result;
}

QList<EdgeRect> SheetGeometry::LayoutCardCells(const EdgeRect &p, int cardsPerSheet, PageOrientation orientation)
{
    const int cards = PrintOptions::nearestCardsPerSheet(cardsPerSheet);
    const bool portrait = orientation == PageOrientation::Portrait;
    const int w = p.width();
    const int h = p.height();
    if (cards == 1)
        return {p};
    if (cards == 2 && portrait)
        return {{p.left, p.top, p.right, p.top + h / 2}, {p.left, p.top + h / 2, p.right, p.bottom}};
    if (cards == 2)
        return {{p.left, p.top, p.left + w / 2, p.bottom}, {p.left + w / 2, p.top, p.right, p.bottom}};

    const int columns = cards == 8 && !portrait ? 4 : 2;
    const int rows = cards / columns;
    const int cellWidth = w / columns;
    const int cellHeight = h / rows;
    QList<EdgeRect> cells;
    cells.reserve(cards);
    for (int k = 0; k < cards; ++k) {
        const int left = p.left + (k % columns) * cellWidth;
        const int top = p.top + (k / columns) * cellHeight;
        cells.append({left, top, left + cellWidth, top + cellHeight});
    }
    return cells;
}

int SheetGeometry::backCellOfSlot(int slot, int cardsPerSheet, PageOrientation orientation)
{
    const int cards = PrintOptions::nearestCardsPerSheet(cardsPerSheet);
    if (cards == 1)
        return 1;
    if (cards == 2)
        return 3 - slot;
    const int columns = cards == 8 && orientation == PageOrientation::Landscape ? 4 : 2;
    const int row = (slot - 1) / columns;
    const int column = (slot - 1) % columns;
    return row * columns + (columns - 1 - column) + 1;
}

QList<EdgeRect> SheetGeometry::MirrorCellsForBacks(const QList<EdgeRect> &cells, int cardsPerSheet, PageOrientation orientation)
{
    QList<EdgeRect> back;
    back.reserve(cells.size());
    for (int slot = 1; slot <= cells.size(); ++slot)
        back.append(cells.at(backCellOfSlot(slot, cardsPerSheet, orientation) - 1));
    return back;
}

QList<QLine> SheetGeometry::cutLines(const EdgeRect &p, int cardsPerSheet, PageOrientation orientation)
{
    const int cards = PrintOptions::nearestCardsPerSheet(cardsPerSheet);
    const bool portrait = orientation == PageOrientation::Portrait;
    const int w = p.width();
    const int h = p.height();
    const auto across = [&p](int y) { return QLine(p.left, y, p.right, y); };
    const auto down = [&p](int x) { return QLine(x, p.top, x, p.bottom); };
    const int mx = p.left + w / 2;
    const int my = p.top + h / 2;
    switch (cards) {
    case 2: return {portrait ? across(my) : down(mx)};
    case 4: return {across(my), down(mx)};
    case 8:
        if (portrait)
            return {across(my), down(mx), across(p.top + h / 4), across(p.top + 3 * (h / 4))};
        return {across(my), down(mx), down(p.left + w / 4), down(p.left + 3 * (w / 4))};
    default: return {};
    }
}
