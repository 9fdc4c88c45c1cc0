#include "PrintTestSupport.h"

#include "print/CardLayout.h"

#include <QTest>

class TestCardLayout : public QObject
{
    Q_OBJECT

private:
    // R 30, TA 20; a header line 50 and a footer 40 pixels high when printed
    static CardLayout layout(bool header, bool number, bool footer)
    {
        PrintOptions options;
        options.RandAbstand = 30;
        options.TextAbstand = 20;
        options.PrintKopfZeile = header;
        options.PrintNummer = number;
        options.PrintCR = footer;
        options.HeaderMargins = {-3, 4, 5, -6};
        return CardLayout(options, 1000, 50, 40);
    }

private Q_SLOTS:
    void bandReservations()
    {
        struct Case
        {
            bool header, number, footer;
            int hdr, aF, aB;
        };
        const QList<Case> cases{
            {false, false, false, 30, 1000, 1000}, {true, false, false, 110, 950, 890}, {false, true, false, 110, 950, 890},
            {true, true, false, 110, 950, 890},    {false, false, true, 30, 960, 940},  {true, true, true, 110, 910, 830},
            {false, true, true, 110, 910, 830},
        };
        for (const Case &c : cases) {
            const CardLayout l = layout(c.header, c.number, c.footer);
            const QByteArray what = QByteArray("header ") + (c.header ? "on" : "off") + ", number " + (c.number ? "on" : "off")
                + ", footer " + (c.footer ? "on" : "off");
            QVERIFY2(l.hdr() == c.hdr && l.aF() == c.aF && l.aB() == c.aB, what);
        }
    }

    void rectanglesInTheCell()
    {
        const EdgeRect cell{100, 2000, 700, 3000};
        // neither header nor number: frame R, text 2R below the top; the back's
        // text ends at the cell's bottom and its frame R below
        CardLayout l = layout(false, false, false);
        QCOMPARE(l.frontFrame(cell), (EdgeRect{130, 2030, 670, 3000}));
        QCOMPARE(l.frontText(cell), (EdgeRect{160, 2060, 640, 2970}));
        QCOMPARE(l.backText(cell), (EdgeRect{160, 2060, 640, 3000}));
        QCOMPARE(l.backFrame(cell), (EdgeRect{130, 2030, 670, 3030}));

        // header line, no footer: the front's text ends th + R above the
        // bottom, the back's R above it
        l = layout(true, true, false);
        QCOMPARE(l.frontText(cell), (EdgeRect{160, 2140, 640, 3000 - 50 - 30}));
        QCOMPARE(l.backText(cell), (EdgeRect{160, 2140, 640, 3000 - 30}));
        QCOMPARE(l.headerTextAt(cell), QPoint(140, 2030));
        QCOMPARE(l.numberAt(cell, 25), QPoint(700 - 30 - 25, 2030));
        // the band inside the margins, moved by its four adjustments
        QCOMPARE(l.headerBand(cell), (EdgeRect{131 - 6, 2031 - 3, 669 + 5, 2109 + 4}));

        // footer: TA under the text, centred on it
        l = layout(true, false, true);
        QCOMPARE(l.frontText(cell), (EdgeRect{160, 2140, 640, 2880}));
        QCOMPARE(l.footerAt(cell, 101), QPoint(160 + 240 - 50, 2900));
        QCOMPARE(l.backFrame(cell), (EdgeRect{130, 2110, 670, 2940}));
    }
};

QTEST_APPLESS_MAIN(TestCardLayout)
#include "tst_cardlayout.moc"
