#include "print/SheetPreview.h"

#include "cardset/CardSet.h"

#include <QPainter>

#include <cmath>
#include <utility>

namespace {

constexpr qreal kMetresPerInch = 0.0254;

} // namespace

SheetPreview::SheetPreview(const CardSet &set, const PrintCalibration &calibration, const PrinterMetrics &metrics,
                           const QPaintDevice *device, QList<PrintOrder::Sheet> sheets)
    : m_metrics(metrics)
    , m_renderer(set, set.printOptions(), calibration, metrics, device)
    , m_sheets(std::move(sheets))
{
}

QImage SheetPreview::render(int index, qreal scale) const
{
    const QSize size(qMax(1, int(std::ceil(m_metrics.PaperWidth * scale))), qMax(1, int(std::ceil(m_metrics.PaperHeight * scale))));
    QImage image(size, QImage::Format_RGB32);
    // The picture claims the printer's resolution: faces and header are laid
    // out in printer pixels, as on paper, and only then scaled down.
    image.setDotsPerMeterX(int(std::lround(qMax(1, m_metrics.DpiX) / kMetresPerInch)));
    image.setDotsPerMeterY(int(std::lround(qMax(1, m_metrics.DpiY) / kMetresPerInch)));
    image.fill(Qt::white);
    if (index < 0 || index >= count())
        return image;
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    // a printer draws from the printable area's corner
    painter.translate(m_metrics.OffsetX, m_metrics.OffsetY);
    const PrintOrder::Sheet &sheet = m_sheets.at(index);
    m_renderer.drawSheet(painter, sheet.side, sheet.cards);
    return image;
}
