#pragma once

#include "cardset/PrintOptions.h"

class QPageLayout;

// What a printer reports about its page, in its current orientation: the
// printable area (origin of all drawing) and the paper in device pixels,
// the printable area's offset on the paper, its size in whole millimetres,
// and the resolution.
struct PrinterMetrics
{
    qint32 PageWidth = 0;
    qint32 PageHeight = 0;
    qint32 PaperWidth = 0;
    qint32 PaperHeight = 0;
    qint32 OffsetX = 0;
    qint32 OffsetY = 0;
    qint32 PageWidthMM = 0;
    qint32 PageHeightMM = 0;
    qint32 DpiX = 0;
    qint32 DpiY = 0;
    PageOrientation Orientation = PageOrientation::Portrait;

    // As a QPrinter or QPdfWriter with this layout paints: the margins are
    // the unprintable border, the paint rectangle is the printable area.
    static PrinterMetrics fromPageLayout(const QPageLayout &layout, int dpiX, int dpiY);
    static PrinterMetrics fromPageLayout(const QPageLayout &layout, int resolution)
    {
        return fromPageLayout(layout, resolution, resolution);
    }
};
