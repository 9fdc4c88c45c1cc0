#include "print/CardLayout.h"

#include <algorithm>
#include <limits>

namespace {

// The band's adjustments are unlimited 32-bit values.
int edge(qint64 value)
{
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

CardLayout::CardLayout(const PrintOptions &options, int cellHeight, int headerHeight, int footerHeight)
    : m_options(options)
{
    const int r = options.RandAbstand;
    const bool headerLine = options.PrintKopfZeile || options.PrintNummer;
    const int th = headerLine ? headerHeight : 0;
    const int fh = options.PrintCR ? footerHeight : 0;
    m_hdr = headerLine ? th + 2 * r : r;
    m_aF = cellHeight - th - fh;
    m_aB = cellHeight - (headerLine ? th + 2 * r : 0) - (options.PrintCR ? fh + options.TextAbstand : 0);
}

EdgeRect CardLayout::headerBand(const EdgeRect &c) const
{
    const int r = m_options.RandAbstand;
    const HeaderMarginSet &m = m_options.HeaderMargins;
    return {edge(qint64(c.left) + r + 1 + m.Left), edge(qint64(c.top) + r + 1 + m.Top), edge(qint64(c.right) - r - 1 + m.Right),
            edge(qint64(c.top) + m_hdr - 1 + m.Bottom)};
}

QPoint CardLayout::headerTextAt(const EdgeRect &c) const
{
    return {c.left + m_options.RandAbstand + 10, c.top + m_options.RandAbstand};
}

QPoint CardLayout::numberAt(const EdgeRect &c, int numberWidth) const
{
    return {c.right - m_options.RandAbstand - numberWidth, c.top + m_options.RandAbstand};
}

EdgeRect CardLayout::frontFrame(const EdgeRect &c) const
{
    const int r = m_options.RandAbstand;
    return {c.left + r, c.top + m_hdr, c.right - r, c.top + m_aF};
}

EdgeRect CardLayout::frontText(const EdgeRect &c) const
{
    const int r = m_options.RandAbstand;
    return {c.left + 2 * r, c.top + m_hdr + r, c.right - 2 * r, c.top + m_aF - r};
}

QPoint CardLayout::footerAt(const EdgeRect &c, int footerWidth) const
{
    const EdgeRect text = frontText(c);
    return {text.left + (text.right - text.left) / 2 - footerWidth / 2, text.bottom + m_options.TextAbstand};
}

EdgeRect CardLayout::backFrame(const EdgeRect &c) const
{
    const int r = m_options.RandAbstand;
    return {c.left + r, c.top + m_hdr, c.right - r, c.top + m_hdr + m_aB};
}

EdgeRect CardLayout::backText(const EdgeRect &c) const
{
    const int r = m_options.RandAbstand;
    return {c.left + 2 * r, c.top + m_hdr + r, c.right - 2 * r, c.top + m_hdr + m_aB - r};
}
