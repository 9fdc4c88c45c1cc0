#pragma once

#include "program/PrintCalibration.h"

#include "print/PrintOrder.h"
#include "print/PrinterMetrics.h"
#include "print/SheetRenderer.h"

#include <QImage>
#include <QList>

class CardSet;
class QPaintDevice;

// The sheets of a print run as pictures of the paper, each drawn only when
// asked for, by the printer's sheet renderer at the printer's resolution:
// the cards lay out and wrap as they will print.
class SheetPreview
{
public:
    // metrics: the printer's page in the run's orientation; device: the
    // printer, on which the header line is measured as when printing.
    SheetPreview(const CardSet &set, const PrintCalibration &calibration, const PrinterMetrics &metrics, const QPaintDevice *device,
                 QList<PrintOrder::Sheet> sheets);

    int count() const { return int(m_sheets.size()); }
    const PrintOrder::Sheet &sheet(int index) const { return m_sheets.at(index); }
    const PrinterMetrics &metrics() const { return m_metrics; }

    // The whole paper of sheet `index`, `scale` picture pixels to a
    // printer pixel; white where nothing is printed.
    QImage render(int index, qreal scale) const;

private:
    PrinterMetrics m_metrics;
    SheetRenderer m_renderer;
    QList<PrintOrder::Sheet> m_sheets;
};
