#include "cardset/CardSet.h"
#include "print/FaceRenderer.h"
#include "print/SheetRenderer.h"
#include "richtext/FacePictures.h"
#include "richtext/RtfReader.h"

#include <QPainter>
#include <QTest>
#include <QTextBlock>

// A sheet at 100 pixels per inch, 800 x 1100 pixels, four cards to it:
// cells (0, 0, 400, 550), (400, 0, 800, 550), (0, 550, 400, 1100), (400, 550, 800, 1100).
class TestSheetRenderer : public QObject
{
    Q_OBJECT

private:
    static constexpr int kBorder = 40;
    CardSet m_set;
    PrintOptions m_options;
    PrintCalibration m_calibration;

    // red face text, so that it tells apart from header and number
    static QByteArray redFace(const QByteArray &text)
    {
        return "{\\rtf1\\ansi{\\fonttbl{\\f0 Liberation Sans;}}{\\colortbl ;\\red255\\green0\\blue0;}\\f0\\fs24\\cf1 " + text + "\\par}";
    }
    static QByteArray lines(int count)
    {
        QByteArray text;
        for (int i = 1; i <= count; ++i)
            text += "Zeile " + QByteArray::number(i) + "\\par ";
        return text;
    }
    static bool isFace(QRgb c) { return qRed(c) > qGreen(c) + 40; }
    static bool isInk(QRgb c) { return c != qRgb(255, 255, 255); }

    // Painted with a white border around the page, which must stay white.
    QImage render(const std::function<void(const SheetRenderer &, QPainter &)> &draw)
    {
        QImage image(800 + 2 * kBorder, 1100 + 2 * kBorder, QImage::Format_RGB32);
        image.setDotsPerMeterX(3937);
        image.setDotsPerMeterY(3937);
        image.fill(Qt::white);
        PrinterMetrics m{.PageWidth = 800, .PageHeight = 1100, .PaperWidth = 800, .PaperHeight = 1100, .PageWidthMM = 203};
        m.PageHeightMM = 279;
        m.DpiX = m.DpiY = 100;
        QPainter painter(&image);
        painter.translate(kBorder, kBorder);
        const SheetRenderer renderer(m_set, m_options, m_calibration, m, &image);
        draw(renderer, painter);
        painter.end();
        return image;
    }

    // The smallest rectangle of page pixels that pass `test`; empty if none.
    static QRect inkBox(const QImage &image, const std::function<bool(QRgb)> &test,
                        const QRect &area = QRect(-kBorder, -kBorder, 880, 1180))
    {
        QRect box;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (test(image.pixel(x + kBorder, y + kBorder)))
                    box |= QRect(x, y, 1, 1);
        return box;
    }

private Q_SLOTS:
    void init()
    {
        m_set.startNew(PrintOptions(), FontRecord(), FontRecord());
        for (int i = 1; i < 8; ++i)
            m_set.AddCard();
        m_options = PrintOptions();
        m_options.AktPrintCards = 4;
        m_options.RandAbstand = 10;
        m_options.PrintNummer = false;
        m_options.PrintFadenkreuz = false;
        m_options.HeaderColor = StoredColor::White;
        m_calibration = PrintCalibration();
    }

    void cutLines()
    {
        m_options.PrintFadenkreuz = true;
        m_calibration.Schnittkante = 3;
        const QImage image = render([](const SheetRenderer &r, QPainter &p) { r.drawCutLines(p); });
        // dotted: some pixels of the line, not all
        int inked = 0;
        for (int y = 0; y < 1100; ++y)
            inked += isInk(image.pixel(400 + kBorder, y + kBorder));
        QVERIFY2(inked > 200 && inked < 900, QByteArray::number(inked));
        // three pixels wide around the middle, the outline on the page's edges
        const QRect down = inkBox(image, isInk, QRect(300, 100, 200, 300));
        const QRect across = inkBox(image, isInk, QRect(100, 450, 200, 200));
        QVERIFY(down.left() == 399 && down.width() == 3 && across.top() == 549 && across.height() == 3);
        QCOMPARE(inkBox(image, isInk), QRect(0, 0, 800, 1100)); // nothing outside the page
    }

    void frontInItsCellWithNumberAndFooter()
    {
        m_set.setFront(6, redFace("Die Photosynthese wandelt Lichtenergie in chemische Energie um, in den Chloroplasten."));
        m_options.PrintNummer = true;
        m_options.PrintCR = true;
        m_options.Copyright = QStringLiteral("(c) Quillo");
        m_options.HeaderFont.Color = StoredColor::Black;
        m_options.HeaderColor = StoredColor::fromRgb(0, 0, 255);
        const QImage image = render([](const SheetRenderer &r, QPainter &p) { r.drawFront(p, 6, 2); });

        // the face wraps inside the text rectangle of cell 2, and only there
        const QRect face = inkBox(image, isFace);
        QVERIFY(QRect(420, 10, 360, 540).contains(face) && face.height() > 30); // more than one line
        // everything of the card stays in the cell
        QVERIFY(QRect(400, 0, 400, 550).contains(inkBox(image, isInk)));
        // the band in its colour, the number "7" black at the top right on it
        QCOMPARE(image.pixel(400 + 12 + kBorder, 12 + kBorder), qRgb(0, 0, 255));
        const QRect number = inkBox(
            image, [](QRgb c) { return qBlue(c) < 128 && !isFace(c); }, QRect(400, 0, 400, 100));
        QVERIFY(number.right() < 800 - 10 && number.right() > 800 - 10 - 5 && number.left() > 700 && number.top() >= 10);
        // the footer under the text, centred on it
        const QRect footer = inkBox(
            image, [](QRgb c) { return qRed(c) < 100 && qBlue(c) < 100; }, QRect(400, 300, 400, 250));
        QVERIFY(!footer.isEmpty() && qAbs(footer.center().x() - 600) <= 3 && footer.top() > face.bottom());
    }

    void backInTheMirroredCell()
    {
        m_set.setBack(0, redFace("Antwort"));
        m_options.WebStyle = false;
        const QImage image = render([](const SheetRenderer &r, QPainter &p) { r.drawBack(p, 0, 1); });
        // slot 1 is the top left card of its front sheet: its back is drawn top right
        const QRect face = inkBox(image, isFace);
        QVERIFY(QRect(420, 20, 360, 510).contains(face));
        // the frame R inside the cell; it would reach R below it, but is kept in
        QCOMPARE(inkBox(image, isInk), QRect(410, 10, 380, 540));
    }

    void longFaceCutAtItsRectangle()
    {
        m_set.setFront(0, redFace(lines(200)));
        const QImage image = render([](const SheetRenderer &r, QPainter &p) { r.drawFront(p, 0, 1); });
        const QRect face = inkBox(image, isFace);
        // text rectangle (20, 20, 380, 540): filled to within a line of its bottom
        QVERIFY(QRect(20, 20, 360, 520).contains(face) && face.bottom() > 540 - 30);
    }

    void noRoomLeftForTheFace()
    {
        // a big header at the widest margin on eight small cards: the text
        // rectangle has no height; header and number stay in the cell
        m_set.setFront(0, redFace(lines(3)));
        m_options.AktPrintCards = 8;
        m_options.RandAbstand = 200;
        m_options.PrintKopfZeile = true;
        m_options.PrintNummer = true;
        m_options.HeaderText = QStringLiteral("Kopf");
        m_options.HeaderFont.Size = 72;
        m_options.HeaderColor = StoredColor::fromRgb(0, 200, 0);
        m_options.HeaderMargins = {-100000, 100000, 100000, -100000};
        m_options.WebStyle = false;
        const QImage image = render([](const SheetRenderer &r, QPainter &p) { r.drawFront(p, 0, 1); });
        QVERIFY(inkBox(image, isFace).isEmpty());
        QVERIFY(QRect(0, 0, 400, 275).contains(inkBox(image, isInk)));

        // out-of-range stored values print as the nearest valid ones: three
        // cards to a sheet are two, a negative margin is 1
        init();
        m_options.AktPrintCards = 3;
        m_options.RandAbstand = -50;
        m_options.WebStyle = false;
        const QImage two = render([](const SheetRenderer &r, QPainter &p) { r.drawBack(p, 0, 1); });
        QCOMPARE(inkBox(two, isInk), QRect(1, 551, 798, 549));
    }

    void renderIntoRectangle()
    {
        QTextDocument doc;
        RtfReader::read("{\\rtf1{\\fonttbl{\\f0 Liberation Sans;}}\\f0\\fs24 line one\\par line two\\par line three\\par "
                        "line four\\par}",
                        doc);
        QImage page(1200, 1200, QImage::Format_RGB32);
        page.setDotsPerMeterX(11811); // 300 per inch
        page.setDotsPerMeterY(11811);
        page.fill(Qt::white);
        QPainter painter(&page);
        // 12 pt at 300 per inch is about 60 pixels a line: two lines fit into 130
        const QRect rect(100, 200, 800, 130);
        const int drawn = FaceRenderer::drawInRect(doc, painter, rect);
        painter.end();
        QCOMPARE(drawn, doc.findBlockByNumber(1).position() + doc.findBlockByNumber(1).length() - 1);
        bool inside = false, outside = false;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (page.pixel(x, y) != qRgb(255, 255, 255))
                    (rect.contains(x, y) ? inside : outside) = true;
        QVERIFY(inside && !outside);
        // pictures are drawn at their shown size on the device: 30 px at 96 per
        // inch are about 94 px at 300
        QTextDocument pictureDoc;
        QTextCursor pc(&pictureDoc);
        QImage red(10, 10, QImage::Format_RGB32);
        red.fill(Qt::red);
        FacePictures::insert(pc, red, QSizeF(30, 30), QByteArray());
        page.fill(Qt::white);
        QPainter p2(&page);
        FaceRenderer::drawInRect(pictureDoc, p2, QRect(0, 0, 600, 600));
        p2.end();
        QCOMPARE((QList<QColor>{page.pixel(40, 40), page.pixel(120, 40)}), (QList<QColor>{Qt::red, Qt::white}));
        QCOMPARE(FaceRenderer::toTwips(QRect(QPoint(300, 600), QPoint(899, 1199)), 300, 600),
                 QRect(QPoint(1440, 1440), QPoint(4319, 2879)));
    }
};

QTEST_MAIN(TestSheetRenderer)
#include "tst_sheetrenderer.moc"
