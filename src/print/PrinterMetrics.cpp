#include "print/PrinterMetrics.h"

#include <QPageLayout>
#include <QRect>

#include <cmath>

PrinterMetrics PrinterMetrics::fromPageLayout(const QPageLayout &layout, int dpiX, int dpiY)
{
    dpiX = qMax(1, dpiX);
    dpiY = qMax(1, dpiY);
    // Qt's own rounding, so that the numbers equal the device's metrics
    const QRect paperX = layout.fullRectPixels(dpiX);
    const QRect paperY = layout.fullRectPixels(dpiY);
    const QRect paintX = layout.paintRectPixels(dpiX);
    const QRect paintY = layout.paintRectPixels(dpiY);
    const QRectF paintMM = layout.paintRect(QPageLayout::Millimeter);

    PrinterMetrics m;
    m.PageWidth = paintX.width();
    m.PageHeight = paintY.height();
    m.PaperWidth = paperX.width();
    m.PaperHeight = paperY.height();
    m.OffsetX = paintX.left();
    m.OffsetY = paintY.top();
    m.PageWidthMM = qint32(std::lround(paintMM.width()));
    m.PageHeightMM = qint32(std::lround(paintMM.height()));
    m.DpiX = dpiX;
    m.DpiY = dpiY;
    m.Orientation = layout.orientation() == QPageLayout::Landscape ? PageOrientation::Landscape : PageOrientation::Portrait;
    return m;
}
