#pragma once

#include "print/PrintOrder.h"

#include <QList>
#include <QStringList>

#include <functional>

class QPainter;
class SheetRenderer;

// Runs the front pass and the back pass over a painter that the caller
// owns and has begun on its device (a printer job, a PDF file). The caller
// turns the pages and shows the progress through the hooks.
class PrintPasses
{
public:
    struct Hooks
    {
        // Before every sheet, the first of a pass too: a device whose first
        // page is already open starts a new page only from its second.
        // False when the device failed: the pass ends there.
        std::function<bool()> beginSheet;
        // Before every card, with PrintOrder::progressText.
        std::function<void(const QString &)> progress;
        // Before every card, with its position in the set.
        std::function<void(int)> card;
    };

    PrintPasses(const SheetRenderer &renderer, Hooks hooks);

    // The fronts of the cards at `positions` (card order), cut lines first
    // on every sheet. Returns the sheets' strings for the back pass.
    QStringList printFronts(QPainter &painter, const QList<int> &positions);
    // The backs of the sheets recorded by the front pass, each card in the
    // mirrored cell of its slot, in the order the sheets are fed again.
    void printBacks(QPainter &painter, const QStringList &pageCardList, PrintOrder::BackOrder order);
    // For a printer that prints both sides: every front sheet directly
    // followed by its back sheet.
    QStringList printBothSides(QPainter &painter, const QList<int> &positions);

    // Sheets begun so far.
    int sheets() const { return m_sheets; }
    // Whether a sheet could not be begun, which ended the pass.
    bool failed() const { return m_failed; }

private:
    void printSheet(QPainter &painter, const QList<int> &sheet, PrintOrder::Side side, int &remaining);

    const SheetRenderer &m_renderer;
    Hooks m_hooks;
    int m_sheets = 0;
    bool m_failed = false;
};
