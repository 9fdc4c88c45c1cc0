#include "../BoxedSet.h"

#include "cardset/CardSet.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Cards named by letters, each in a box of its own pattern.
void fillLettered(CardSet &set, int count)
{
    for (int i = 0; i < count; ++i)
        set.AddCard({QByteArray(1, char('A' + i)), QByteArray(1, char('a' + i)), 1 + i % 4, false});
}

QByteArray fronts(const CardSet &set)
{
    QByteArray result;
    for (int i = 0; i < set.count(); ++i)
        result += set.front(i);
    return result;
}

} // namespace

class TestCardSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void moveAndRemoveKeepEachCardWhole()
    {
        CardSet set;
        fillLettered(set, 5);
        QVERIFY(set.moveCard(1, 4));
        QCOMPARE(fronts(set), QByteArray("ACDEB"));
        QCOMPARE(set.back(4), QByteArray("b"));
        QCOMPARE(boxesOf(set), (QList<qint32>{1, 3, 4, 1, 2}));
        QCOMPARE(set.CurrentIndex(), 4);
        QVERIFY(set.moveCard(4, 0));
        QCOMPARE(fronts(set), QByteArray("BACDE"));

        for (auto [from, to] : {std::pair{2, 2}, std::pair{2, 5}, std::pair{-1, 0}})
            QVERIFY(!set.moveCard(from, to));
        QCOMPARE(fronts(set), QByteArray("BACDE"));

        QVERIFY(!set.removeCard(5));
        QVERIFY(set.removeCard(1));
        QCOMPARE(fronts(set), QByteArray("BCDE"));
        QCOMPARE(boxesOf(set), (QList<qint32>{2, 3, 4, 1}));
        // The editors may still show the removed card: nothing is current.
        QCOMPARE(set.CurrentIndex(), -1);
    }

    void onlyChangesOfContentMarkTheSet()
    {
        CardSet set;
        set.startNew(PrintOptions(), FontRecord(), FontRecord());
        QSignalSpy marks(&set, &CardSet::modifiedChanged);
        QVERIFY(!set.Modified());

        // Check marks, the current card and the same bytes again are no change.
        set.setMarked(0, true);
        set.setCurrentIndex(0);
        set.setCurrentIndex(7);
        QCOMPARE(set.CurrentIndex(), 0);
        set.setFront(0, QByteArray());
        set.setBox(0, 1);
        set.setPrintOptions(set.printOptions());
        set.setFileName(QStringLiteral("/tmp/x.ql3"));
        QVERIFY(!set.Modified());
        QCOMPARE(marks.count(), 0);

        set.setBox(0, 9);
        QCOMPARE(set.box(0), 4);
        QVERIFY(set.Modified());
        QCOMPARE(marks.count(), 1);
        set.setBack(0, "b");
        QCOMPARE(marks.count(), 1);

        // Starting anew is the one way back besides a save or a load.
        set.startNew(PrintOptions(), FontRecord(), FontRecord());
        QVERIFY(!set.Modified());
        QCOMPARE(set.count(), 1);
        QCOMPARE(set.card(0), Card());
        set.setAllBoxes(1);
        QVERIFY(!set.Modified());
        set.markChanged();
        QVERIFY(set.Modified());
    }

    void marksFromACardOn()
    {
        CardSet set;
        fillLettered(set, 4);
        QSignalSpy changed(&set, &CardSet::marksChanged);
        set.setMarkedFrom(2, true);
        QCOMPARE(set.markedCards(), (QList<int>{2, 3}));
        QCOMPARE(changed.takeFirst(), (QVariantList{2, 3}));
        set.setMarkedFrom(-1, false);
        set.setMarkedFrom(4, false);
        QCOMPARE(set.markedCards(), (QList<int>{2, 3}));
        set.setMarkedFrom(0, false);
        QVERIFY(set.markedCards().isEmpty());
    }

    void printOptionsComeIntoRange()
    {
        for (auto [stored, printed] : {std::pair{3, 2}, {6, 4}, {7, 8}, {-5, 1}, {INT_MAX, 8}, {INT_MIN, 1}})
            QCOMPARE(PrintOptions::nearestCardsPerSheet(stored), printed);
        PrintOptions stored;
        stored.AktPrintCards = 0;
        stored.RandAbstand = -30;
        stored.TextAbstand = 9000;
        const PrintOptions printable = stored.printable();
        QCOMPARE(QList<int>({printable.AktPrintCards, printable.RandAbstand, printable.TextAbstand}), QList<int>({1, 1, 500}));
        QCOMPARE(PrintOptions::cardsPerSheetIndex(8), 3);
        QCOMPARE(PrintOptions::cardsPerSheetIndex(3), -1);
        QCOMPARE(PrintOptions::titlePercent(20, 0), 100);
    }
};

QTEST_GUILESS_MAIN(TestCardSet)
#include "tst_cardset.moc"
