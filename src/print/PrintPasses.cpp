#include "print/PrintPasses.h"

#include "print/SheetRenderer.h"

#include <utility>

PrintPasses::PrintPasses(const SheetRenderer &renderer, Hooks hooks)
    : m_renderer(renderer)
    , m_hooks(std::move(hooks))
{
}

QStringList PrintPasses::printFronts(QPainter &painter, const QList<int> &positions)
{
    const QList<QList<int>> sheets = PrintOrder::frontSheets(positions, m_renderer.cardsPerSheet());
    int remaining = int(positions.size());
    for (const QList<int> &sheet : sheets)
        printSheet(painter, sheet, PrintOrder::Side::Front, remaining);
    return PrintOrder::pageCardList(sheets);
}

void PrintPasses::printBacks(QPainter &painter, const QStringList &pageCardList, PrintOrder::BackOrder order)
{
    const QList<QList<int>> sheets = PrintOrder::backSheets(pageCardList, m_renderer.cardsPerSheet(), order);
    int remaining = 0;
    for (const QList<int> &sheet : sheets)
        remaining += int(sheet.size());
    for (const QList<int> &sheet : sheets)
        printSheet(painter, sheet, PrintOrder::Side::Back, remaining);
}

QStringList PrintPasses::printBothSides(QPainter &painter, const QList<int> &positions)
{
    const QList<QList<int>> sheets = PrintOrder::frontSheets(positions, m_renderer.cardsPerSheet());
    int remainingFronts = int(positions.size());
    int remainingBacks = remainingFronts;
    for (const QList<int> &sheet : sheets) {
        printSheet(painter, sheet, PrintOrder::Side::Front, remainingFronts);
        printSheet(painter, sheet, PrintOrder::Side::Back, remainingBacks);
    }
    return PrintOrder::pageCardList(sheets);
}

void PrintPasses::printSheet(QPainter &painter, const QList<int> &sheet, PrintOrder::Side side, int &remaining)
{
    if (sheet.isEmpty() || m_failed)
        return;
    if (m_hooks.beginSheet && !m_hooks.beginSheet()) {
        m_failed = true;
        return;
    }
    ++m_sheets;
    m_renderer.drawSheet(painter, side, sheet, [this, &remaining](int position) {
        if (m_hooks.progress)
            m_hooks.progress(PrintOrder::progressText(position, remaining));
        if (m_hooks.card)
            m_hooks.card(position);
        --remaining;
    });
}
