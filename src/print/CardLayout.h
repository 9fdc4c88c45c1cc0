#pragma once

#include "cardset/PrintOptions.h"
#include "print/EdgeRect.h"

#include <QPoint>

// The parts of one card inside its cell: header band, header text, card
// number, frame, face text and footer, from the per-set layout and the
// printed heights of the header and footer lines. The numbers are the
// sheet's arithmetic; what would lie outside the cell is the renderer's
// to cut off.
class CardLayout
{
public:
    // `options` as printable() gives them. `headerHeight`: printed height
    // of the header line (of the number when only that is on), 0 when
    // neither is printed; `footerHeight`: of the footer, 0 when off.
    CardLayout(const PrintOptions &options, int cellHeight, int headerHeight, int footerHeight);

    // Reserved above the frame: the header line and R above and below it,
    // or R alone.
    int hdr() const { return m_hdr; }
    // How far the front's frame reaches down from the cell's top.
    int aF() const { return m_aF; }
    // How far the back's frame reaches down from its top.
    int aB() const { return m_aB; }

    EdgeRect headerBand(const EdgeRect &cell) const;
    QPoint headerTextAt(const EdgeRect &cell) const;
    // Top left of the number so that it ends at the cell's right minus R.
    QPoint numberAt(const EdgeRect &cell, int numberWidth) const;
    EdgeRect frontFrame(const EdgeRect &cell) const;
    EdgeRect frontText(const EdgeRect &cell) const;
    // Top left of the footer, centred under the front's text rectangle.
    QPoint footerAt(const EdgeRect &cell, int footerWidth) const;
    EdgeRect backFrame(const EdgeRect &cell) const;
    EdgeRect backText(const EdgeRect &cell) const;

private:
    PrintOptions m_options;
    int m_hdr = 0;
    int m_aF = 0;
    int m_aB = 0;
};
