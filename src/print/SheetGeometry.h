#pragma once

#include "program/PrintCalibration.h"

#include "cardset/PrintOptions.h"
#include "print/EdgeRect.h"
#include "print/PrinterMetrics.h"

#include <QLine>
#include <QList>

// Where the cards of one sheet go, in printer pixels with (0, 0) at the top
// left of the printable area. Divisions truncate toward zero. Cards per
// sheet other than 1, 2, 4 or 8 are taken as the nearest of those.
class SheetGeometry
{
public:
    struct PageRectResult
    {
        EdgeRect PageRect;
        // The renewed centring shifts: unprintable margin right minus left,
        // bottom minus top. The caller keeps them with the program settings.
        qint32 SX = 0;
        qint32 SY = 0;
    };

    // The card area: from the centring shift plus the calibration of the
    // printer's orientation to the end of the printable area. It never
    // starts outside the printable area, whatever the shift or calibration.
    static PageRectResult ComputePageRect(const PrinterMetrics &metrics, const PrintCalibration &calibration);

    // Cells 1 to n in reading order (index 0 is cell 1).
    static QList<EdgeRect> LayoutCardCells(const EdgeRect &page, int cardsPerSheet, PageOrientation orientation);
    // The front cell (1-based) behind which the card of back slot `slot`
    // lands: each row mirrored left to right, or top and bottom exchanged
    // for two cards in portrait.
    static int backCellOfSlot(int slot, int cardsPerSheet, PageOrientation orientation);
    // The cells of a back sheet by slot: index k holds the cell of slot k + 1.
    static QList<EdgeRect> MirrorCellsForBacks(const QList<EdgeRect> &cells, int cardsPerSheet, PageOrientation orientation);
    // The dotted lines between the cells, from edge to edge of the card
    // area; the area's outline is drawn besides them.
    static QList<QLine> cutLines(const EdgeRect &page, int cardsPerSheet, PageOrientation orientation);
};
