#include "print/FaceRenderer.h"
#include "richtext/FacePictures.h"
#include "richtext/RtfReader.h"

#include <QPainter>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

class TestFaceRenderer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        QVERIFY(inside);
        QVERIFY(!outside);
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
        QCOMPARE(QColor(page.pixel(40, 40)), QColor(Qt::red));
        QCOMPARE(QColor(page.pixel(120, 40)), QColor(Qt::white));
        QCOMPARE(FaceRenderer::toTwips(QRect(QPoint(300, 600), QPoint(899, 1199)), 300, 600),
                 QRect(QPoint(1440, 1440), QPoint(4319, 2879)));
    }
};

QTEST_MAIN(TestFaceRenderer)
#include "tst_facerenderer.moc"
