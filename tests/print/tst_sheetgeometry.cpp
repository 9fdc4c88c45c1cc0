#include "PrintTestSupport.h"

#include "print/CardLayout.h"
#include "print/SheetGeometry.h"

#include <QTest>

#include <limits>

using O = PageOrientation;

// The sheet's page rectangle, its cells and cut lines, and the card's
// rectangles inside a cell.
class TestSheetGeometry : public QObject
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
    void workedExample()
    {
        PrinterMetrics m{.PageWidth = 4760, .PageHeight = 6779, .PaperWidth = 4960, .PaperHeight = 7015, .OffsetX = 80, .OffsetY = 100};
        m.PageWidthMM = 201;
        m.PageHeightMM = 287;
        PrintCalibration calibration{.HUX = 2};
        const SheetGeometry::PageRectResult page = SheetGeometry::ComputePageRect(m, calibration);
        QCOMPARE(QPoint(page.SX, page.SY), QPoint(40, 36));
        QCOMPARE(page.PageRect, (EdgeRect{87, 36, 4760, 6779}));
        const QList<EdgeRect> cells = SheetGeometry::LayoutCardCells(page.PageRect, 4, O::Portrait);
        QCOMPARE(cells, (QList<EdgeRect>{{87, 36, 2423, 3407}, {2423, 36, 4759, 3407}, {87, 3407, 2423, 6778}, {2423, 3407, 4759, 6778}}));
        QCOMPARE(SheetGeometry::cutLines(page.PageRect, 4, O::Portrait), (QList<QLine>{{87, 3407, 4760, 3407}, {2423, 36, 2423, 6779}}));
        QCOMPARE(SheetGeometry::MirrorCellsForBacks(cells, 4, O::Portrait).first(), (EdgeRect{2423, 36, 4759, 3407}));

        // the same printer turned: the landscape corrections count, the portrait ones not
        std::swap(m.PageWidth, m.PageHeight);
        std::swap(m.PaperWidth, m.PaperHeight);
        std::swap(m.OffsetX, m.OffsetY);
        std::swap(m.PageWidthMM, m.PageHeightMM);
        m.Orientation = O::Landscape;
        calibration.QUX = 3;
        calibration.QUY = -1;
        const SheetGeometry::PageRectResult turned = SheetGeometry::ComputePageRect(m, calibration);
        QCOMPARE(QPoint(turned.SX, turned.SY), QPoint(36, 40));
        // 70.9 and -23.7 pixels, truncated toward zero
        QCOMPARE(turned.PageRect, (EdgeRect{70 + 36, -23 + 40, 6779, 4760}));
    }

    void pageRectStaysOnThePrintableArea()
    {
        // more margin left than right: the shift is negative
        PrinterMetrics m{.PageWidth = 1000, .PageHeight = 1400, .PaperWidth = 1100, .PaperHeight = 1500, .OffsetX = 80, .OffsetY = 20};
        // no size in millimetres: no correction, and no division by it
        PrintCalibration calibration{.HUX = 5, .HUY = 5};
        SheetGeometry::PageRectResult page = SheetGeometry::ComputePageRect(m, calibration);
        QCOMPARE(page.SX, -60);
        QCOMPARE(page.PageRect, (EdgeRect{0, 60, 1000, 1400}));

        m.PageWidthMM = 200;
        m.PageHeightMM = 280;
        calibration.HUX = std::numeric_limits<qint32>::max();
        calibration.HUY = std::numeric_limits<qint32>::min();
        page = SheetGeometry::ComputePageRect(m, calibration);
        QCOMPARE(page.PageRect, (EdgeRect{999, 0, 1000, 1400}));
    }

    void everyLayoutRow()
    {
        // odd sizes, so that the truncating divisions show
        const EdgeRect p{100, 50, 1101, 1403};
        const EdgeRect top{100, 50, 1101, 726}, bottom{100, 726, 1101, 1403};
        const EdgeRect left{100, 50, 600, 1403}, right{600, 50, 1101, 1403};
        const QList<EdgeRect> four{{100, 50, 600, 726}, {600, 50, 1100, 726}, {100, 726, 600, 1402}, {600, 726, 1100, 1402}};
        const QList<EdgeRect> eightPortrait{{100, 50, 600, 388},   {600, 50, 1100, 388},   {100, 388, 600, 726},   {600, 388, 1100, 726},
                                            {100, 726, 600, 1064}, {600, 726, 1100, 1064}, {100, 1064, 600, 1402}, {600, 1064, 1100, 1402}};
        const QList<EdgeRect> eightLandscape{{100, 50, 350, 726},   {350, 50, 600, 726},   {600, 50, 850, 726},   {850, 50, 1100, 726},
                                             {100, 726, 350, 1402}, {350, 726, 600, 1402}, {600, 726, 850, 1402}, {850, 726, 1100, 1402}};
        const QLine across(100, 726, 1101, 726), down(600, 50, 600, 1403);
        struct Row
        {
            int cards;
            O orientation;
            QList<EdgeRect> cells;
            QList<int> backCells;
            QList<QLine> cuts;
        };
        const QList<Row> rows{
            {1, O::Portrait, {p}, {1}, {}},
            {1, O::Landscape, {p}, {1}, {}},
            {2, O::Portrait, {top, bottom}, {2, 1}, {across}},
            {2, O::Landscape, {left, right}, {2, 1}, {down}},
            {4, O::Portrait, four, {2, 1, 4, 3}, {across, down}},
            {4, O::Landscape, four, {2, 1, 4, 3}, {across, down}},
            {8, O::Portrait, eightPortrait, {2, 1, 4, 3, 6, 5, 8, 7}, {across, down, {100, 388, 1101, 388}, {100, 1064, 1101, 1064}}},
            {8, O::Landscape, eightLandscape, {4, 3, 2, 1, 8, 7, 6, 5}, {across, down, {350, 50, 350, 1403}, {850, 50, 850, 1403}}},
        };
        for (const Row &row : rows) {
            const QByteArray what = QByteArray::number(row.cards) + (row.orientation == O::Portrait ? " portrait" : " landscape");
            const QList<EdgeRect> cells = SheetGeometry::LayoutCardCells(p, row.cards, row.orientation);
            QVERIFY2(cells == row.cells, what);
            QList<int> backCells;
            QList<EdgeRect> expectedBacks;
            for (int slot = 1; slot <= row.cards; ++slot) {
                backCells.append(SheetGeometry::backCellOfSlot(slot, row.cards, row.orientation));
                expectedBacks.append(row.cells.at(row.backCells.at(slot - 1) - 1));
            }
            QVERIFY2(backCells == row.backCells, what);
            QVERIFY2(SheetGeometry::MirrorCellsForBacks(cells, row.cards, row.orientation) == expectedBacks, what);
            QVERIFY2(SheetGeometry::cutLines(p, row.cards, row.orientation) == row.cuts, what);
        }

        // stored counts out of range
        QCOMPARE(SheetGeometry::LayoutCardCells(p, 3, O::Portrait).size(), 2);
        QCOMPARE(SheetGeometry::LayoutCardCells(p, 0, O::Portrait), QList<EdgeRect>{p});
        QCOMPARE(SheetGeometry::LayoutCardCells(p, -7, O::Landscape), QList<EdgeRect>{p});
        QCOMPARE(SheetGeometry::LayoutCardCells(p, 1000, O::Landscape).size(), 8);
        QCOMPARE(SheetGeometry::cutLines(p, 1000, O::Landscape).size(), 4);
    }

    void bandReservations()
    {
        // header, number, footer: hdr, aF, aB
        const std::tuple<bool, bool, bool, QList<int>> cases[] = {
            {false, false, false, {30, 1000, 1000}}, {true, false, false, {110, 950, 890}}, {false, true, false, {110, 950, 890}},
            {true, true, false, {110, 950, 890}},    {false, false, true, {30, 960, 940}},  {true, true, true, {110, 910, 830}},
            {false, true, true, {110, 910, 830}}};
        for (const auto &[header, number, footer, reserved] : cases) {
            const CardLayout l = layout(header, number, footer);
            QCOMPARE((QList<int>{l.hdr(), l.aF(), l.aB()}), reserved);
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

QTEST_APPLESS_MAIN(TestSheetGeometry)
#include "tst_sheetgeometry.moc"
