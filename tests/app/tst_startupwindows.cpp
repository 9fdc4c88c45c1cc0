#include "app/TAboutBox.h"
#include "app/TSplash.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestStartupWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splashFillsItselfWithItsPicture()
    {
        QTemporaryDir dir;
        QImage picture(160, 100, QImage::Format_RGB32);
        picture.fill(QColor(10, 200, 30));
        const QString path = dir.filePath(QStringLiteral("splash.bmp"));
        QVERIFY(picture.save(path, "BMP"));

        TSplash splash(path);
        splash.showAndPaint();
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.size(), QSize(320, 200));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        const QImage shown = splash.grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() - 2, shown.height() - 2), QColor(10, 200, 30));
    }

    void missingPicturesShowNothingButNeverFail()
    {
        TSplash splash(QStringLiteral("/no/such/splash.bmp"));
        splash.showAndPaint();
        QVERIFY(!splash.hasPicture());
        QVERIFY(!splash.grab().isNull());

        TAboutBox about(QStringLiteral("/no/such/logo.bmp"));
        QVERIFY(about.logo()->pixmap().isNull());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void aboutBoxClosesWithOkOnEnter()
    {
        TAboutBox about(QStringLiteral("/no/such/logo.bmp"));
        QCOMPARE(about.windowTitle(), QStringLiteral("Info"));
        QCOMPARE(about.okButton()->text(), QStringLiteral("OK"));
        QVERIFY(about.okButton()->isDefault());
        QVERIFY(TAboutBox::credits().contains(QLatin1String("Qt")));
        QTimer::singleShot(0, &about, [&about] { QTest::keyClick(&about, Qt::Key_Return); });
        QCOMPARE(about.showCentred(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestStartupWindows)
#include "tst_startupwindows.moc"
