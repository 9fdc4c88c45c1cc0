

#include <QImageReader>
#include <QTest>

// The files the build puts beside the program: every picture the windows
// read by name, at the size they show it, and the manual.
class TestProgramFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void picturesAreThereAtTheirSizes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("splash") << "splash.bmp" << QSize(320, 200);
        QTest::newRow("logo") << "logo.bmp" << QSize(96, 96);
        QTest::newRow("hochkant") << "hochkant.bmp" << QSize(44, 44);
        QTest::newRow("querkant") << "querkant.bmp" << QSize(44, 44);
        QTest::newRow("2") << "2.bmp" << QSize(64, 90);
        QTest::newRow("4") << "4.bmp" << QSize(64, 90);
        QTest::newRow("8") << "8.bmp" << QSize(64, 90);
        QTest::newRow("thumbup") << "thumbup.bmp" << QSize(48, 48);
        QTest::newRow("thumbdown") << "thumbdown.bmp" << QSize(48, 48);
        QTest::newRow("schliessen") << "schliessen.bmp" << QSize(56, 150);
        QTest::newRow("drucker") << "drucker.bmp" << QSize(64, 64);
        QTest::newRow("wechsel") << "wechsel.bmp" << QSize(120, 120);
        QTest::newRow("icon") << "quillo.png" << QSize(256, 256);
    }

    void picturesAreThereAtTheirSizes()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QImageReader reader(QStringLiteral(QUILLO_PROGRAM_FOLDER "/") + name);
        const QByteArray format = reader.format();
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), size);
        if (name.endsWith(QLatin1String(".bmp"))) {
            QCOMPARE(format, QByteArray("bmp"));
            // Something was drawn: not one flat colour.
            const QColor corner = image.pixelColor(0, 0);
            bool varied = false;
            for (int y = 0; y < image.height() && !varied; y += 3)
                for (int x = 0; x < image.width() && !varied; x += 3)
                    varied = image.pixelColor(x, y) != corner;
            QVERIFY(varied);
        }
    }

    void manualIsAPdfOfSeveralPages()
    {
        QFile manual(QStringLiteral(QUILLO_PROGRAM_FOLDER "/Anleitung.PDF"));
        QVERIFY(manual.open(QIODevice::ReadOnly));
        const QByteArray bytes = manual.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.count("/Type /Page") - bytes.count("/Type /Pages") >= 4);
    }
};

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "tst_programfiles.moc"
