#include "cardset/CardSet.h"
#include "print/PrintOrder.h"

#include <QTest>

using Sheets = QList<QList<int>>;

class TestPrintOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void selection()
    {
        CardSet set;
        for (int i = 0; i < 5; ++i)
            set.AddCard();
        // none checked: all are, and stay so
        QCOMPARE(PrintOrder::selectCards(set), (QList<int>{0, 1, 2, 3, 4}));
        QCOMPARE(set.markedCards().size(), 5);
        set.setMarkedFrom(0, false);
        set.setMarked(2, true);
        set.setMarked(4, true);
        QCOMPARE(PrintOrder::selectCards(set), (QList<int>{2, 4}));
        CardSet empty;
        QCOMPARE(PrintOrder::selectCards(empty), QList<int>{});

        QCOMPARE(PrintOrder::sheetCount(5, 4), 2);
        QCOMPARE(PrintOrder::sheetCount(8, 4), 2);
        QCOMPARE(PrintOrder::sheetCount(0, 4), 0);
        QCOMPARE(PrintOrder::sheetCount(9, 8), 2);
        QCOMPARE(PrintOrder::sheetCount(3, 3), 2); // printed two to a sheet
    }

    void backSheetsFromTheRecordedStrings()
    {
        const QStringList list{QStringLiteral("0 1 2 3"), QStringLiteral("4")};
        QCOMPARE(PrintOrder::pageCardList(PrintOrder::frontSheets({0, 1, 2, 3, 4}, 4)), list);
        QCOMPARE(PrintOrder::backSheets(list, 4, PrintOrder::backOrder(true)), (Sheets{{4}, {0, 1, 2, 3}}));
        QCOMPARE(PrintOrder::backSheets(list, 4, PrintOrder::backOrder(false)), (Sheets{{0, 1, 2, 3}, {4}}));
        // an entry with more cards than a sheet holds never overfills one
        QCOMPARE(PrintOrder::backSheets({QStringLiteral(" 1  2 x 3 "), QString()}, 2, PrintOrder::BackOrder::Forward),
                 (Sheets{{1, 2}, {3}}));
    }
};

QTEST_APPLESS_MAIN(TestPrintOrder)
#include "tst_printorder.moc"
