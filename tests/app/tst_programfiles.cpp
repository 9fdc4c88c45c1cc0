

#include <QImageReader>
#include <QTest>

// The files the build puts beside the program: every picture the windows
// read by name, at the size they show it, and the manual.
class TestProgramFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void picturesAreThereAtTheirSizes()
    {
        const QList<std::pair<QString, QSize>> pictures{
            {"splash.bmp", {320, 200}},  {"logo.bmp", {96, 96}},        {"hochkant.bmp", {44, 44}}, {"querkant.bmp", {44, 44}},
            {"2.bmp", {64, 90}},         {"4.bmp", {64, 90}},           {"8.bmp", {64, 90}},        {"thumbup.bmp", {48, 48}},
            {"thumbdown.bmp", {48, 48}}, {"schliessen.bmp", {56, 150}}, {"drucker.bmp", {64, 64}},  {"wechsel.bmp", {120, 120}},
            {"quillo.png", {256, 256}}};
        for (const auto &[name, size] : pictures) {
            QImageReader reader(QStringLiteral(QUILLO_PROGRAM_FOLDER "/") + name);
            const QByteArray format = reader.format();
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(name + QLatin1Char(' ') + reader.errorString()));
            QCOMPARE(image.size(), size);
            if (name.endsWith(QLatin1String(".bmp"))) {
                QCOMPARE(format, QByteArray("bmp"));
                // Something was drawn: not one flat colour.
                const QColor corner = image.pixelColor(0, 0);
                bool varied = false;
                for (int y = 0; y < image.height() && !varied; y += 3)
                    for (int x = 0; x < image.width() && !varied; x += 3)
                        varied = image.pixelColor(x, y) != corner;
                QVERIFY2(varied, qPrintable(name));
            }
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
