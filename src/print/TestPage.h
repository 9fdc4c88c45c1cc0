#pragma once

#include "program/PrintCalibration.h"

#include "print/PrinterMetrics.h"
#include "print/SheetGeometry.h"

class QPainter;

// The calibration test page: two boxes 200 printer pixels high, from the
// card area's left edge to the printable area's right edge, one at the
// card area's top and one at the bottom of the printable area. Comparing
// the paper margins beside and around them tells how far the printer's
// printable area is off centre.
class TestPage
{
public:
    static constexpr int BoxHeight = 200;

    // Draws on a portrait page; returns the page rectangle with the renewed
    // centring shifts.
    static SheetGeometry::PageRectResult draw(QPainter &painter, const PrinterMetrics &metrics, const PrintCalibration &calibration);
};
