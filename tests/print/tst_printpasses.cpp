#include "cardset/CardSet.h"
#include "print/PrintOrder.h"
#include "print/PrintPasses.h"
#include "print/SheetRenderer.h"

#include <QPainter>
#include <QTest>

using Sheets = QList<QList<int>>;

// The passes as the caller sees them through its hooks.
class TestPrintPasses : public QObject
{
    Q_OBJECT

private:
    struct Run
    {
        QStringList events;
        QStringList progress;
    };

    static Run run(int cards, const std::function<void(PrintPasses &, QPainter &)> &passes, int perSheet = 4)
    {
        CardSet set;
        for (int i = 0; i < cards; ++i)
            set.AddCard();
        PrintOptions options;
        options.AktPrintCards = perSheet;
        QImage image(200, 280, QImage::Format_RGB32);
        const PrinterMetrics m{.PageWidth = 200, .PageHeight = 280, .PaperWidth = 200, .PaperHeight = 280};
        QPainter painter(&image);
        const SheetRenderer renderer(set, options, PrintCalibration(), m, &image);
        Run r;
        PrintPasses p(renderer,
                      {[&r] {
                           r.events.append(QStringLiteral("|"));
                           return true;
                       },
                       [&r](const QString &text) { r.progress.append(text); },
                       [&r](int position) { r.events.append(QString::number(position)); }});
        passes(p, painter);
        return r;
    }

private Q_SLOTS:
    void cardsAtFourToASheet()
    {
        QStringList pageCardList;
        Run r = run(5, [&](PrintPasses &p, QPainter &painter) {
            pageCardList = p.printFronts(painter, {0, 1, 2, 3, 4});
            p.printBacks(painter, pageCardList, PrintOrder::BackOrder::Reverse);
        });
        QCOMPARE(pageCardList, (QStringList{QStringLiteral("0 1 2 3"), QStringLiteral("4")}));
        // card 5's back alone first, then a new sheet for cards 1 to 4
        QCOMPARE(r.events.join(QLatin1Char(' ')), QStringLiteral("| 0 1 2 3 | 4 | 4 | 0 1 2 3"));
        QCOMPARE((QStringList{r.progress.first(), r.progress.at(4), r.progress.at(5), r.progress.last()}).join(u'|'),
                 QStringLiteral("Drucke Karte 1\rNoch 5 Karten zu drucken.|Drucke Karte 5\rNoch 1 Karten zu drucken.|"
                                "Drucke Karte 5\rNoch 5 Karten zu drucken.|Drucke Karte 4\rNoch 1 Karten zu drucken."));

        // in sheet order no empty sheet follows the last card
        r = run(5, [](PrintPasses &p, QPainter &painter) {
            p.printBacks(painter, p.printFronts(painter, {0, 1, 2, 3, 4}), PrintOrder::BackOrder::Forward);
        });
        QCOMPARE(r.events.join(QLatin1Char(' ')), QStringLiteral("| 0 1 2 3 | 4 | 0 1 2 3 | 4"));

        // both sides at once: each front sheet followed by its back
        r = run(5, [](PrintPasses &p, QPainter &painter) { p.printBothSides(painter, {0, 1, 2, 3, 4}); });
        QCOMPARE(r.events.join(QLatin1Char(' ')), QStringLiteral("| 0 1 2 3 | 0 1 2 3 | 4 | 4"));

        // checked cards 3 and 7
        r = run(8, [](PrintPasses &p, QPainter &painter) {
            p.printBacks(painter, p.printFronts(painter, {2, 6}), PrintOrder::BackOrder::Reverse);
        });
        QCOMPARE(r.events.join(QLatin1Char(' ')), QStringLiteral("| 2 6 | 2 6"));
        // Numbered as in the card list, counted among the checked cards.
        QCOMPARE(r.progress.value(3), QStringLiteral("Drucke Karte 7\rNoch 1 Karten zu drucken."));
    }

    void theRunsSheetsAsThePassesPrintThem()
    {
        // the preview's order: what the passes print, sheet by sheet
        const QList<int> cards{0, 1, 2, 4, 5, 6, 7, 8, 9};
        for (int perSheet : {1, 2, 8}) {
            for (const auto order : {PrintOrder::BackOrder::Reverse, PrintOrder::BackOrder::Forward}) {
                const Run r = run(
                    10, [&](PrintPasses &p, QPainter &painter) { p.printBacks(painter, p.printFronts(painter, cards), order); }, perSheet);
                QStringList shown;
                for (const PrintOrder::Sheet &sheet : PrintOrder::runSheets(cards, perSheet, true, order)) {
                    shown.append(QStringLiteral("|"));
                    for (int card : sheet.cards)
                        shown.append(QString::number(card));
                }
                QCOMPARE(shown, r.events);
            }
        }
        const auto sides = [](bool bothSides, PrintOrder::BackOrder order) {
            QString s;
            for (const PrintOrder::Sheet &sheet : PrintOrder::runSheets({0, 1, 2, 3, 4}, 4, bothSides, order))
                s += (sheet.side == PrintOrder::Side::Front ? u'V' : u'R') + QString::number(sheet.sheet + 1);
            return s;
        };
        QCOMPARE(sides(true, PrintOrder::BackOrder::Reverse) + u' ' + sides(true, PrintOrder::BackOrder::Forward) + u' '
                     + sides(false, PrintOrder::BackOrder::Reverse),
                 QStringLiteral("V1V2R2R1 V1V2R1R2 V1V2"));
    }

    void selectionAndSheets()
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

        // three to a sheet print as two
        QCOMPARE((QList<int>{PrintOrder::sheetCount(5, 4), PrintOrder::sheetCount(8, 4), PrintOrder::sheetCount(0, 4),
                             PrintOrder::sheetCount(9, 8), PrintOrder::sheetCount(3, 3)}),
                 (QList<int>{2, 2, 0, 2, 2}));

        // The order of whole sheets is the passes' test above;
        QCOMPARE(PrintOrder::backOrder(true), PrintOrder::BackOrder::Reverse);
        // an entry with more cards than a sheet holds never overfills one
        QCOMPARE(PrintOrder::backSheets({QStringLiteral(" 1  2 x 3 "), QString()}, 2, PrintOrder::BackOrder::Forward),
                 (Sheets{{1, 2}, {3}}));
    }
};

QTEST_MAIN(TestPrintPasses)
#include "tst_printpasses.moc"
