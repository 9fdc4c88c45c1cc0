#include "print/EditorFit.h"

#include "print/SheetGeometry.h"
#include "richtext/FontRecordMapping.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>

#include <cmath>

namespace {

QFontMetricsF metricsOn(const QFont &font, const QPaintDevice *device)
{
    return device ? QFontMetricsF(font, device) : QFontMetricsF(font);
}

QFont sampleFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(15);
    return font;
}

} // namespace

QString EditorFit::sampleText()
{
    QString sample;
    for (char c = 'a'; c <= 'z'; ++c)
        sample += QLatin1Char(c);
    for (char c = 'A'; c <= 'Z'; ++c)
        sample += QLatin1Char(c);
    for (char c = '0'; c <= '9'; ++c)
        sample += QLatin1Char(c);
    return sample + QStringLiteral("ÄÖÜäöü,.;:#+*~!\"§$%&/()=?-\t");
}

QSize EditorFit::textArea(const PrintOptions &stored, const PrintCalibration &calibration, const PrinterMetrics &metrics,
                          const QPaintDevice *printer)
{
    const PrintOptions options = stored.printable();
    const EdgeRect page = SheetGeometry::ComputePageRect(metrics, calibration).PageRect;
    const QList<EdgeRect> cells = SheetGeometry::LayoutCardCells(page, options.AktPrintCards, metrics.Orientation);
    if (cells.isEmpty())
        return QSize();
    const EdgeRect &cell = cells.first();
    const int r = options.RandAbstand;
    // The printed height of a line is the font's, whatever its text, as the
    // sheet reserves it.
    const QFont font = FontRecordMapping::toQFont(options.HeaderFont);
    const qint64 line = (printer ? QFontMetrics(font, printer) : QFontMetrics(font)).height();
    qint64 height = cell.height();
    if (options.PrintKopfZeile || options.PrintNummer)
        height -= line + 2 * r;
    if (options.PrintCR)
        height -= line + options.TextAbstand;
    const qint64 width = qint64(cell.right - 2 * r) - (cell.left + 2 * r);
    return QSize(int(std::clamp<qint64>(width, INT_MIN, INT_MAX)), int(std::clamp<qint64>(height, INT_MIN, INT_MAX)));
}

QSize EditorFit::clientSize(const PrintOptions &options, const PrintCalibration &calibration, const PrinterMetrics &metrics,
                            const QPaintDevice *printer, const QPaintDevice *screen)
{
    const QSize area = textArea(options, calibration, metrics, printer);
    const QString sample = sampleText();
    const QFontMetricsF onPrinter = metricsOn(sampleFont(), printer);
    const QFontMetricsF onScreen = metricsOn(sampleFont(), screen);
    const double printerWidth = onPrinter.horizontalAdvance(sample);
    const double printerHeight = onPrinter.height();
    // A card without a text area, or a font that measures nothing, would
    // give an editor of no size or a division by zero.
    if (area.width() <= 0 || area.height() <= 0 || printerWidth <= 0 || printerHeight <= 0)
        return Minimum;
    const double width = onScreen.horizontalAdvance(sample) * area.width() / printerWidth;
    const double height = onScreen.height() * 100.0 / (printerHeight * 100.0 / area.height());
    return QSize(std::max(Minimum.width(), int(std::lround(width))), std::max(Minimum.height(), int(std::lround(height))));
}
