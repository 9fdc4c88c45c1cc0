#include "print/SheetRenderer.h"

#include "cardset/CardSet.h"
#include "print/FaceRenderer.h"
#include "richtext/FontRecordMapping.h"
#include "richtext/RtfReader.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextDocument>

#include <algorithm>

namespace {

// the widest cut line the options dialog offers
constexpr int kCutWidthMaximum = 500;

QFontMetrics headerMetrics(const QFont &font, const QPaintDevice *device)
{
    return device ? QFontMetrics(font, device) : QFontMetrics(font);
}

// The header line and the footer are one line each of the header font.
CardLayout measuredLayout(const PrintOptions &options, const QList<EdgeRect> &cells, const QFontMetrics &metrics)
{
    const int cellHeight = cells.isEmpty() ? 0 : cells.first().height();
    return CardLayout(options, cellHeight, metrics.height(), metrics.height());
}

} // namespace

SheetRenderer::SheetRenderer(const CardSet &set, const PrintOptions &options, const PrintCalibration &calibration,
                             const PrinterMetrics &metrics, const QPaintDevice *device)
    : m_set(set)
    , m_options(options.printable())
    , m_orientation(metrics.Orientation)
    , m_cutWidth(std::clamp<int>(calibration.Schnittkante, 1, kCutWidthMaximum))
    , m_page(SheetGeometry::ComputePageRect(metrics, calibration))
    , m_cells(SheetGeometry::LayoutCardCells(m_page.PageRect, m_options.AktPrintCards, m_orientation))
    , m_backCells(SheetGeometry::MirrorCellsForBacks(m_cells, m_options.AktPrintCards, m_orientation))
    , m_headerFont(FontRecordMapping::toQFont(m_options.HeaderFont))
    , m_headerAscent(headerMetrics(m_headerFont, device).ascent())
    , m_layout(measuredLayout(m_options, m_cells, headerMetrics(m_headerFont, device)))
{
}

void SheetRenderer::drawCutLines(QPainter &painter) const
{
    if (!m_options.PrintFadenkreuz)
        return;
    const EdgeRect &p = m_page.PageRect;
    painter.save();
    // a wide line along the area's edge would reach beyond the printable area
    painter.setClipRect(QRect(0, 0, p.right, p.bottom), Qt::IntersectClip);
    painter.setPen(QPen(Qt::black, m_cutWidth, Qt::DotLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    // as the cells, the outline ends one pixel before right and bottom
    const int right = p.right - 1;
    const int bottom = p.bottom - 1;
    painter.drawLine(p.left, p.top, right, p.top);
    painter.drawLine(right, p.top, right, bottom);
    painter.drawLine(right, bottom, p.left, bottom);
    painter.drawLine(p.left, bottom, p.left, p.top);
    for (const QLine &line : SheetGeometry::cutLines(p, m_options.AktPrintCards, m_orientation))
        painter.drawLine(line.x1(), line.y1(), line.dx() ? line.x2() - 1 : line.x2(), line.dy() ? line.y2() - 1 : line.y2());
    painter.restore();
}

void SheetRenderer::drawFront(QPainter &painter, int position, int slot) const
{
    if (slot < 1 || slot > m_cells.size())
        return;
    const EdgeRect &cell = m_cells.at(slot - 1);
    if (cell.isEmpty())
        return;
    painter.save();
    painter.setClipRect(cell.toQRect(), Qt::IntersectClip);
    painter.setFont(m_headerFont);
    const QColor band = FontRecordMapping::toQColor(m_options.HeaderColor);
    // pure white is "no band"; any other value, a system colour too, is one
    if (m_options.HeaderColor != StoredColor::White) {
        const EdgeRect rect = m_layout.headerBand(cell).intersected(cell);
        if (!rect.isEmpty())
            painter.fillRect(rect.toQRect(), band);
    }
    const QColor headerColor = FontRecordMapping::toQColor(m_options.HeaderFont.Color);
    if (m_options.PrintKopfZeile)
        drawTextAt(painter, m_layout.headerTextAt(cell), m_options.HeaderText, headerColor, band);
    if (m_options.PrintNummer) {
        const QString number = QString::number(qint64(position) + 1);
        drawTextAt(painter, m_layout.numberAt(cell, painter.fontMetrics().horizontalAdvance(number)), number, headerColor, band);
    }
    if (!m_options.WebStyle)
        drawFrame(painter, m_layout.frontFrame(cell), cell);
    if (m_set.isValidIndex(position))
        drawFace(painter, m_set.front(position), m_layout.frontText(cell), cell);
    if (m_options.PrintCR) {
        const QPoint at = m_layout.footerAt(cell, painter.fontMetrics().horizontalAdvance(m_options.Copyright));
        drawTextAt(painter, at, m_options.Copyright, Qt::black, Qt::white);
    }
    painter.restore();
}

void SheetRenderer::drawBack(QPainter &painter, int position, int slot) const
{
    if (slot < 1 || slot > m_backCells.size())
        return;
    const EdgeRect &cell = m_backCells.at(slot - 1);
    if (cell.isEmpty())
        return;
    painter.save();
    painter.setClipRect(cell.toQRect(), Qt::IntersectClip);
    if (!m_options.WebStyle)
        drawFrame(painter, m_layout.backFrame(cell), cell);
    if (m_set.isValidIndex(position))
        drawFace(painter, m_set.back(position), m_layout.backText(cell), cell);
    painter.restore();
}

void SheetRenderer::drawSheet(QPainter &painter, PrintOrder::Side side, const QList<int> &positions,
                              const std::function<void(int position)> &beforeCard) const
{
    if (side == PrintOrder::Side::Front)
        drawCutLines(painter);
    int slot = 1;
    for (int position : positions) {
        if (beforeCard)
            beforeCard(position);
        if (side == PrintOrder::Side::Front)
            drawFront(painter, position, slot);
        else
            drawBack(painter, position, slot);
        ++slot;
    }
}

void SheetRenderer::drawFrame(QPainter &painter, const EdgeRect &frame, const EdgeRect &cell) const
{
    // Kept inside the cell, so that a frame reaching below it stays a closed
    // frame on the card; a frame turned upside down is no frame. Frames are
    // drawn as wide as the cut lines.
    if (frame.bottom < frame.top || frame.right < frame.left)
        return;
    const EdgeRect inside = frame.intersected(cell);
    if (inside.isEmpty())
        return;
    painter.fillRect(inside.toQRect(), Qt::white);
    painter.setPen(QPen(Qt::black, m_cutWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(inside.left, inside.top, inside.width() - 1, inside.height() - 1));
}

void SheetRenderer::drawFace(QPainter &painter, const QByteArray &rtf, const EdgeRect &rect, const EdgeRect &cell) const
{
    const EdgeRect inside = rect.intersected(cell);
    // no room left under a large header or footer: the card keeps its
    // band, number and frame, without face text
    if (inside.isEmpty() || rtf.isEmpty())
        return;
    QTextDocument face;
    RtfReader::read(rtf, face);
    FaceRenderer::drawInRect(face, painter, inside.toQRect());
}

void SheetRenderer::drawTextAt(QPainter &painter, const QPoint &topLeft, const QString &text, const QColor &color,
                               const QColor &background) const
{
    if (text.isEmpty())
        return;
    painter.save();
    painter.setPen(color);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(background);
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + m_headerAscent), text);
    painter.restore();
}
