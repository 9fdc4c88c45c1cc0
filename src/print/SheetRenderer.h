#pragma once

#include "program/PrintCalibration.h"

#include "cardset/PrintOptions.h"
#include "print/CardLayout.h"
#include "print/PrintOrder.h"
#include "print/PrinterMetrics.h"
#include "print/SheetGeometry.h"

#include <QFont>
#include <QList>

#include <functional>

class CardSet;
class QPaintDevice;
class QPainter;

// Draws the parts of a card sheet on a painter: the cut lines, a card's
// front (band, header, number, frame, face, footer) and a card's back into
// its mirrored cell. Faces are drawn from their stored RTF, laid out for
// the device. Nothing of a card is drawn outside its cell.
class SheetRenderer
{
public:
    // The geometry of the printer's page in its orientation; the header
    // line is measured on `device`, the one later painted on. Stored
    // values out of range are printed as the nearest valid one.
    SheetRenderer(const CardSet &set, const PrintOptions &options, const PrintCalibration &calibration, const PrinterMetrics &metrics,
                  const QPaintDevice *device);

    const SheetGeometry::PageRectResult &page() const { return m_page; }
    const PrintOptions &options() const { return m_options; }
    int cardsPerSheet() const { return m_options.AktPrintCards; }
    const QList<EdgeRect> &cells() const { return m_cells; }
    const QList<EdgeRect> &backCells() const { return m_backCells; }
    const CardLayout &layout() const { return m_layout; }

    // Dotted lines of the cut width around and between the cells, when the
    // set prints them; first thing on a front sheet.
    void drawCutLines(QPainter &painter) const;
    // slot: 1 to cardsPerSheet(); position: the card's index in the set.
    void drawFront(QPainter &painter, int position, int slot) const;
    void drawBack(QPainter &painter, int position, int slot) const;
    // One side of a sheet: on a front the cut lines first, then the cards
    // at `positions` slot by slot; `beforeCard` is told each position first.
    void drawSheet(QPainter &painter, PrintOrder::Side side, const QList<int> &positions,
                   const std::function<void(int position)> &beforeCard = {}) const;

private:
    void drawFrame(QPainter &painter, const EdgeRect &frame, const EdgeRect &cell) const;
    void drawFace(QPainter &painter, const QByteArray &rtf, const EdgeRect &rect, const EdgeRect &cell) const;
    void drawTextAt(QPainter &painter, const QPoint &topLeft, const QString &text, const QColor &color, const QColor &background) const;

    const CardSet &m_set;
    PrintOptions m_options;
    PageOrientation m_orientation;
    int m_cutWidth;
    SheetGeometry::PageRectResult m_page;
    QList<EdgeRect> m_cells;
    QList<EdgeRect> m_backCells;
    QFont m_headerFont;
    int m_headerAscent;
    CardLayout m_layout;
};
