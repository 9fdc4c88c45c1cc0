#pragma once

#include "program/PrintCalibration.h"

#include "cardset/PrintOptions.h"
#include "print/PrinterMetrics.h"

#include <QSize>

class QPaintDevice;

// The client size of the face editors that holds about as much text as the
// text area of one printed card: the area of cell 1 of the sheet, without
// the header and footer lines, scaled from the printer's measure of a
// sample text to the screen's.
class EditorFit
{
public:
    // The smallest editor that still takes text, when the layout leaves the
    // card no text area or a font measures nothing.
    static constexpr QSize Minimum{60, 40};

    // `printer` and `screen` measure the sample in Arial 15 and the header
    // lines in the header font.
    static QSize clientSize(const PrintOptions &options, const PrintCalibration &calibration, const PrinterMetrics &metrics,
                            const QPaintDevice *printer, const QPaintDevice *screen);
    // The text area of cell 1 in printer pixels; width or height at or
    // below zero when the header and footer take all of it.
    static QSize textArea(const PrintOptions &options, const PrintCalibration &calibration, const PrinterMetrics &metrics,
                          const QPaintDevice *printer);
    static QString sampleText();
};
