#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CardSet;

// Which cards are printed and in which order, on which sheet and in which
// slot, in the front pass and in the back pass.
class PrintOrder
{
public:
    // Which back sheet is printed first when the printed sheets go back
    // into the tray.
    enum class BackOrder {
        Reverse, // the sheet printed last is fed first
        Forward, // the sheet printed first is fed first
    };
    static BackOrder backOrder(bool lastPrintedFedFirst) { return lastPrintedFedFirst ? BackOrder::Reverse : BackOrder::Forward; }

    enum class Side { Front, Back };
    // One side of a sheet as the printer puts it out.
    struct Sheet
    {
        Side side = Side::Front;
        // The front sheet's index, counted from 0: a back is printed on the
        // reverse of that sheet.
        int sheet = 0;
        // The positions in slot order.
        QList<int> cards;
    };

    // The checked cards in card order; when none is checked, every card is
    // checked first, and stays so.
    static QList<int> selectCards(CardSet &set);
    static int sheetCount(int cards, int cardsPerSheet);

    // The front sheets: the positions in card order, cardsPerSheet to a
    // sheet, the last one possibly partly filled.
    static QList<QList<int>> frontSheets(const QList<int> &positions, int cardsPerSheet);
    // One string per sheet, the positions in slot order separated by single
    // spaces ("0 1 2 3").
    static QStringList pageCardList(const QList<QList<int>> &sheets);
    // The back sheets from the front pass's strings, in the order they are
    // printed; an entry never fills more than one sheet.
    static QList<QList<int>> backSheets(const QStringList &pageCardList, int cardsPerSheet, BackOrder order);
    // Every sheet side of a run in the order of printing: the fronts, then,
    // printing both sides, the backs in the order the sheets are fed again.
    static QList<Sheet> runSheets(const QList<int> &positions, int cardsPerSheet, bool bothSides, BackOrder order);

    // "Drucke Karte n", CR, "Noch m Karten zu drucken.": n counted from 1,
    // m the cards of the pass not yet printed, this one included.
    static QString progressText(int position, int remaining);
    // The paper change between the passes, in three lines: put the printed
    // sheets back so that the last (or the first) printed is fed first.
    static QString paperChangeText(bool lastPrintedFirst);
    static QString paperChangeWarning() { return QStringLiteral("Achtung: u.U. müssen Sie die Blätter drehen!"); }
};
