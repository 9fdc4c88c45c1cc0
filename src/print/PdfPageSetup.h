#pragma once

#include "cardset/PrintOptions.h"

#include <QPageLayout>
#include <QPageSize>

// The page of a PDF file Quillo prints, from the window ("Drucken in
// Datei") and from quillo-cli alike, so that both give the same sheet: a
// usual printer's resolution, whose pixels are the unit of every distance
// of a card, and its unprintable border, which the sheet is centred in.
// A PDF device left to itself would take its own (a QPrinter 10 pt and its
// screen or high resolution, a QPdfWriter 1200 dpi).
class PdfPageSetup
{
public:
    static constexpr int Resolution = 600;
    // Equal on all sides: no centring shift.
    static constexpr qreal BorderMM = 5;

    static QPageLayout layout(const QPageSize &paper, PageOrientation orientation);

    // For a QPrinter printing to a PDF file or a QPdfWriter.
    template<typename PdfDevice>
    static void apply(PdfDevice &device, const QPageSize &paper, PageOrientation orientation)
    {
        device.setResolution(Resolution);
        device.setPageLayout(layout(paper, orientation));
    }
    // Keeps the paper and orientation the device has.
    template<typename PdfDevice>
    static void apply(PdfDevice &device)
    {
        const QPageLayout current = device.pageLayout();
        apply(device, current.pageSize(),
              current.orientation() == QPageLayout::Landscape ? PageOrientation::Landscape : PageOrientation::Portrait);
    }
};
