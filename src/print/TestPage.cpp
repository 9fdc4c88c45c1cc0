#include "print/TestPage.h"

#include <QPainter>

SheetGeometry::PageRectResult TestPage::draw(QPainter &painter, const PrinterMetrics &metrics, const PrintCalibration &calibration)
{
    const SheetGeometry::PageRectResult page = SheetGeometry::ComputePageRect(metrics, calibration);
    const EdgeRect &p = page.PageRect;
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    // Corner to corner, both corners inside, as the printer draws a
    // rectangle of two points.
    painter.drawRect(QRect(QPoint(p.left, p.top), QPoint(metrics.PageWidth - 1, p.top + BoxHeight)));
    painter.drawRect(QRect(QPoint(p.left, metrics.PageHeight - 1 - BoxHeight), QPoint(metrics.PageWidth - 1, metrics.PageHeight - 1)));
    painter.restore();
    return page;
}
