#include "../TestPictures.h"
#include "RtfTestSupport.h"

#include "richtext/FacePictures.h"
#include "richtext/PictureDecoder.h"
#include "richtext/PictureEncoder.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QtEndian>

#include <cmath>

class TestFacePictures : public QObject
{
    Q_OBJECT

private:
    struct Picture
    {
        QImage image;
        QSizeF shown;
        QByteArray original;
    };
    static QList<Picture> pictures(const QTextDocument &doc)
    {
        QList<Picture> list;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (!f.isImageFormat())
                    continue;
                const QTextImageFormat i = f.toImageFormat();
                list.append({doc.resource(QTextDocument::ImageResource, QUrl(i.name())).value<QImage>(), QSizeF(i.width(), i.height()),
                             FacePictures::originalRtf(i)});
            }
        return list;
    }
    static QList<Picture> picturesOf(const QString &sample)
    {
        QTextDocument doc;
        RtfReader::read(RtfTestSupport::sample(sample), doc);
        return pictures(doc);
    }
    // The DIB of the metafile written beside an original.
    static QByteArray fallbackDib(const QByteArray &rtf)
    {
        const int at = rtf.indexOf("{\\pict\\wmetafile8");
        const int dataStart = rtf.indexOf("\r\n", at) + 2;
        return PictureDecoder::dibFromWmf(QByteArray::fromHex(rtf.mid(dataStart, rtf.indexOf('}', at) - dataStart)));
    }
    static QImage testImage(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 128));
        return image;
    }

private slots:
    void samplePicturesAtTheirSizes_data()
    {
        // Each picture's size as decoded and as shown.
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("sizes");
        const auto row = [](const char *tag, const char *sample, const char *sizes) {
            QTest::newRow(tag) << QString(sample) << QString(sizes);
        };
        row("pasted bitmaps", "re41_pasted_bitmaps_wmf.rtf", "134x62/134x62 134x62/134x62 134x62/134x62"); // \picwgoal2010\pichgoal930
        row("object", "re10_pbrush_ole_object.rtf", "143x128/71x64");
        // Wine's RichEdit pastes a bitmap as an EMF with a zero goal size: its
        // bitmap is shown at the size \picw and \pich give
        row("emf", "we4_picture.rtf", "32x24/32x24 32x24/32x24");
        // a 1-bit mask and then the picture: the picture is shown
        row("mask", "wmf_two_dibs_mask.rtf", "60x60/24x24 60x60/24x24 60x60/24x24 60x60/24x24 60x60/24x24");
        row("png", "png_hex.rtf", "32x23/32x23");
        row("png in binary", "png_bin.rtf", "32x23/32x23");
        row("jpeg", "pandoc_jpeg_bin0_hex.rtf", "250x250/192x192");
        // JPEG and PNG in \shppict, a vector-only metafile as a placeholder
        row("shppict", "phprtflite_jpeg_png_wmf.rtf",
            "34x34/34x34 32x32/32x32 151x151/151x151 20x20/100x100 34x34/34x34 32x32/32x32 151x151/151x151");
        // Word's PNG is taken from \shppict, not the metafile beside it
        row("word", "word_shppict_png_nonshppict_wmf.rtf", "84x136/54x87 84x136/54x87");
    }
    void samplePicturesAtTheirSizes()
    {
        QFETCH(QString, sample);
        QFETCH(QString, sizes);
        QStringList found;
        for (const Picture &p : picturesOf(sample))
            found << QString::asprintf("%dx%d/%dx%d", p.image.width(), p.image.height(), qRound(p.shown.width()), qRound(p.shown.height()));
        QCOMPARE(found.join(' '), sizes);
    }

    void picturesShowTheirPixels()
    {
        // the 24-bit bitmap is not white: its pixels were read
        const QImage pasted = picturesOf("re41_pasted_bitmaps_wmf.rtf").value(0).image;
        QVERIFY(pasted.pixel(67, 31) != qRgb(255, 255, 255) || pasted.pixel(10, 10) != qRgb(255, 255, 255));
        QVERIFY(picturesOf("re10_pbrush_ole_object.rtf").value(0).original.startsWith("{\\object"));
        for (const Picture &p : picturesOf("wmf_two_dibs_mask.rtf")) {
            QSet<QRgb> colours;
            for (int y = 0; y < p.image.height(); y += 3)
                for (int x = 0; x < p.image.width(); x += 3)
                    colours.insert(p.image.pixel(x, y));
            QVERIFY(colours.size() > 2);
        }
        // the vector-only metafile: a framed placeholder
        const QImage vector = picturesOf("phprtflite_jpeg_png_wmf.rtf").value(2).image;
        QVERIFY(QColor(vector.pixel(0, 0)) == QColor(128, 128, 128) && QColor(vector.pixel(75, 75)) == QColor(Qt::white));
        // damaged picture data: a placeholder of the given size
        QTextDocument doc;
        RtfReader::read("{\\rtf1{\\pict\\pngblip\\picwgoal1500\\pichgoal750 89504e47ffff}}", doc);
        QCOMPARE(pictures(doc).value(0).image.size(), QSize(100, 50));
        // reading a face again drops the pictures of the one before
        RtfReader::read(RtfTestSupport::sample("png_hex.rtf"), doc);
        QTextCursor c(&doc);
        c.setPosition(1);
        const QUrl first(c.charFormat().toImageFormat().name());
        QVERIFY(doc.resource(QTextDocument::ImageResource, first).isValid());
        RtfReader::read(RtfTestSupport::sample("png_hex.rtf"), doc);
        QVERIFY(!doc.resource(QTextDocument::ImageResource, first).isValid());
    }

    void decodedPixelsAreBounded()
    {
        // forty copies of a well-compressed 2000 x 2000 picture: the first
        // ones are decoded, the rest get small placeholders
        QImage big(2000, 2000, QImage::Format_RGB32);
        big.fill(Qt::blue);
        const QByteArray hex = encoded(big, "PNG").toHex();
        QByteArray rtf = "{\\rtf1 ";
        for (int i = 0; i < 40; ++i)
            rtf += "{\\pict\\pngblip\\picwgoal1500\\pichgoal1500 " + hex + "}";
        rtf += "}";
        QTextDocument doc;
        RtfReader::read(rtf, doc);
        const QList<Picture> list = pictures(doc);
        QCOMPARE(list.size(), 40);
        qint64 pixels = 0;
        for (const Picture &p : list) {
            pixels += qint64(p.image.width()) * p.image.height();
            QCOMPARE(p.shown, QSizeF(100, 100));
        }
        QVERIFY(pixels <= PictureDecoder::DocumentPixelBudget);
        QCOMPARE(list.first().image.size(), QSize(2000, 2000));
        QVERIFY(list.last().image.width() <= 200);
    }

    void newPictureAsRichEditWritesIt()
    {
        const QImage image = testImage(400, 300);
        const QByteArray jpeg = encoded(image, "JPEG");
        QTextDocument doc;
        QTextCursor cursor(&doc);
        cursor.insertText(QStringLiteral("before "));
        QString error;
        QVERIFY(FacePictures::insertFile(cursor, jpeg, QStringLiteral("foto.JPG"), 200, &error));
        cursor.insertText(QStringLiteral(" after"));
        const Picture inserted = pictures(doc).value(0);
        QVERIFY(inserted.shown == QSizeF(200, 150) && inserted.image.size() == QSize(400, 300));

        const QByteArray rtf = RtfWriter::write(doc);
        // the metafile RichEdit shows, with the original JPEG beside it in a
        // destination others skip
        QVERIFY(rtf.contains("{\\*\\quillopict {\\pict\\jpegblip\\picw400\\pich300\\picwgoal3000\\pichgoal2250"));
        QVERIFY(rtf.contains("}{\\pict\\wmetafile8\\picw5292\\pich3969\\picwgoal3000\\pichgoal2250"));
        QByteArray hex;
        PictureEncoder::appendHex(hex, jpeg);
        QVERIFY(rtf.contains(hex));
        QCOMPARE(RtfReader::textLines(rtf), QStringList{QStringLiteral("before  after")});

        // the metafile holds one 8-bit DIB no larger than the shown size
        const QByteArray dib = fallbackDib(rtf);
        QCOMPARE(qFromLittleEndian<quint16>(dib.constData() + 14), quint16(8));
        const QImage fallback = PictureDecoder::fromDib(dib);
        QVERIFY(fallback.width() <= 200 && fallback.width() >= 50);
        QVERIFY(qAbs(fallback.width() * 3 - fallback.height() * 4) <= 4);

        // read back: the JPEG itself is shown, and written again unchanged
        QTextDocument back;
        RtfReader::read(rtf, back);
        QCOMPARE(pictures(back).value(0).image.size(), QSize(400, 300));
        QCOMPARE(RtfWriter::write(back), rtf);
    }

    void standInsOfPhotosAndDrawings()
    {
        // A 640 x 480 photo (noise on soft colour waves, as a camera gives):
        // the face holds its JPEG and a stand-in of a few pixels, in all at
        // most three times the JPEG file.
        QImage photo(640, 480, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const int n = int(random.bounded(20));
                photo.setPixel(x, y,
                               qRgb(qBound(0, int(120 + 90 * std::sin(x / 37.0 + y / 50.0)) + n, 255),
                                    qBound(0, int(110 + 80 * std::cos(y / 23.0 + x / 91.0)) + n, 255), (x / 8 ^ y / 8) % 64 + 100 + n));
            }
        const QByteArray jpeg = encoded(photo, "JPEG");
        QTextDocument doc;
        QTextCursor cursor(&doc);
        QString error;
        QVERIFY(FacePictures::insertFile(cursor, jpeg, QStringLiteral("foto.jpg"), 0, &error));
        const QByteArray rtf = RtfWriter::write(doc);
        qInfo("JPEG %lld bytes, face %lld bytes: %.2f times", qint64(jpeg.size()), qint64(rtf.size()), double(rtf.size()) / jpeg.size());
        QVERIFY(rtf.size() <= 3 * jpeg.size());
        // the stand-in is shown at the photo's size and has its colours
        QVERIFY(rtf.contains("{\\pict\\wmetafile8\\picw16933\\pich12700\\picwgoal9600\\pichgoal7200"));
        const QImage fallback = PictureDecoder::fromDib(fallbackDib(rtf));
        QVERIFY(fallback.width() >= 80);
        QVERIFY(qAbs(fallback.width() * 3 - fallback.height() * 4) <= 4);
        const QImage small = photo.scaled(fallback.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        qint64 difference = 0;
        for (int y = 0; y < fallback.height(); ++y)
            for (int x = 0; x < fallback.width(); ++x) {
                const QRgb a = fallback.pixel(x, y), b = small.pixel(x, y);
                difference += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
            }
        QVERIFY(difference / (3 * fallback.width() * fallback.height()) < 12);

        // few colours in runs and in stretches that do not repeat: the
        // stand-in is run-length coded and exact
        QImage drawing(120, 90, QImage::Format_RGB32);
        drawing.fill(Qt::white);
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 120; ++x)
                if ((x / 7 + y / 5) % 3 == 0)
                    drawing.setPixel(x, y, qRgb(200, 30, 40 + x % 2));
        const QByteArray drawn = PictureEncoder::withFallback(QByteArray(100000, 'x'), drawing, drawing.size());
        const QByteArray rle = fallbackDib(drawn);
        QCOMPARE(qFromLittleEndian<quint32>(rle.constData() + 16), 1u); // BI_RLE8, shorter than the pixels
        QCOMPARE(PictureDecoder::fromDib(rle).convertToFormat(QImage::Format_RGB32), drawing);
    }

    void newPictureFileTypes()
    {
        const QImage image = testImage(40, 30);
        QTextDocument doc;
        QTextCursor cursor(&doc);
        QString error;
        for (const char *format : {"PNG", "BMP", "ICO", "PPM"}) {
            const QByteArray bytes = encoded(image, format);
            QVERIFY2(FacePictures::insertFile(cursor, bytes, QStringLiteral("bild.") + QString::fromLatin1(format).toLower(), 0, &error),
                     format);
        }
        for (const Picture &p : pictures(doc))
            QCOMPARE(p.shown, QSizeF(40, 30));
        // a PNG keeps its bytes
        QByteArray hex;
        PictureEncoder::appendHex(hex, encoded(image, "PNG"));
        QVERIFY(RtfWriter::write(doc).contains(hex));
        // a placeable metafile around a bitmap: embedded as it is
        QByteArray wmf = PictureEncoder::metafileWithDib(image);
        // The placeable header: key, bounds 0,0 to 40,30, 96 units an inch.
        const QByteArray placeable = QByteArray::fromHex("d7cdc69a00000000000028001e006000000000000000");
        QTextDocument wdoc;
        QTextCursor wc(&wdoc);
        QVERIFY(FacePictures::insertFile(wc, placeable + wmf, QStringLiteral("x.wmf"), 0, &error));
        QCOMPARE(pictures(wdoc).value(0).image.size(), QSize(40, 30));
        QVERIFY(RtfWriter::write(wdoc).contains("{\\pict\\wmetafile8\\picw1058\\pich793\\picwgoal600\\pichgoal450"));

        // A file without a known extension is refused; its message is the main window's test.
        QVERIFY(!FacePictures::insertFile(cursor, QByteArray("x"), QStringLiteral("ohne"), 0, &error));
        QCOMPARE(pictures(doc).size(), 4);
    }
};

QTEST_MAIN(TestFacePictures)
#include "tst_facepictures.moc"
