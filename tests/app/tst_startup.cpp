#include "../ModalGuard.h"
#include "../TestFiles.h"
#include "program/ProgramFolder.h"
#include "program/ProgramVersion.h"

#include "app/CommandLineArguments.h"
#include "app/StartupSequence.h"
#include "app/TAboutBox.h"
#include "app/TMainForm.h"
#include "app/TSplash.h"
#include "editor/TMDIChild.h"
#include "quiz/RandomGenerator.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// The program's start: the entry sequence, the splash and about windows,
// and the main window's start-up and shutdown with the program's own pieces.
class TestStartup : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // Runs the entry sequence on a clock that only the waiting and the
    // windows' building move on, and records the steps with the time each one saw.
    static QStringList runSequence(const QStringList &arguments)
    {
        StartupSequence sequence;
        qint64 now = 1000;
        sequence.clock = [&now] { return now; };
        sequence.pause = [&now](qint64 remaining) { now += std::min<qint64>(remaining, 700); };
        QStringList steps;
        const int result = sequence.run(CommandLineArguments(arguments),
                                        {[&] { steps << QStringLiteral("splash"); },
                                         [&] {
                                             now += 400; // building the windows takes time too
                                             steps << QStringLiteral("windows");
                                         },
                                         [&] { steps << QStringLiteral("destroy@%1").arg(now); },
                                         [&] {
                                             steps << QStringLiteral("loop");
                                             return 7;
                                         }});
        steps << QString::number(result);
        return steps;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
        // Start-up's detached desktop refresh would outlive the folder.
        qputenv("PATH", m_dir.filePath(QStringLiteral("no-tools")).toUtf8());
    }

    // The splash stays three seconds from the start time, unless the first
    // argument is the switch.
    void splashWaitsUnlessFastComesFirst()
    {
        // The start time is taken after the splash shows: 1000 + 3000.
        QCOMPARE(runSequence({}), (QStringList{"splash", "windows", "destroy@4000", "loop", "7"}));
        QCOMPARE(runSequence({QStringLiteral("/no/such.ql3"), QStringLiteral("FAST")}).at(2), QStringLiteral("destroy@4000"));
        // Without waiting only the windows' 400 pass.
        for (const char *fast : {"FAST", "fast", "FaSt"})
            QCOMPARE(runSequence({QString::fromLatin1(fast), QStringLiteral("x.ql3")}),
                     (QStringList{"splash", "windows", "destroy@1400", "loop", "7"}));
        for (const QString &notFast :
             {QStringLiteral("FAST "), QStringLiteral("FASTER"), QStringLiteral("fa\u017Ft"), QStringLiteral("-FAST"), QString()})
            QVERIFY2(!CommandLineArguments({notFast}).skipsSplashWait(), qPrintable(notFast));
    }

    void helpVersionAndUnknownOptions()
    {
        const auto none = [](const QString &) { return false; };
        const auto version = CommandLineArguments::information({QStringLiteral("FAST"), QStringLiteral("--version")}, none);
        QVERIFY(version && version->status == 0 && version->out == QStringLiteral("quillo %1\n").arg(ProgramVersion::number()));
        QVERIFY(CommandLineArguments::information({QStringLiteral("-h")}, none)->out.startsWith(QStringLiteral("Aufruf: quillo ")));
        const auto unknown = CommandLineArguments::unknownOption({QStringLiteral("a.ql3"), QStringLiteral("--farbig")}, none);
        QVERIFY(unknown && unknown->status == 2 && unknown->err == QStringLiteral("Unbekannte Option --farbig.\nHilfe: quillo --help\n"));
        // a file of that name is opened instead
        const auto exists = [](const QString &) { return true; };
        QVERIFY(!CommandLineArguments::information({QStringLiteral("--help")}, exists));
        QVERIFY(!CommandLineArguments::unknownOption({QStringLiteral("--farbig")}, exists));
    }

    void existingFilesOpenInOrderAndFastNever()
    {
        QTemporaryDir dir;
        // A file really named like the switch is still never opened.
        for (const char *name : {"b.ql3", "a.ql3", "FAST", "fast"})
            writeFile(dir.filePath(QLatin1String(name)), QByteArray());
        QDir::setCurrent(dir.path());

        const QString b = dir.filePath(QStringLiteral("b.ql3"));
        CommandLineArguments arguments({QStringLiteral("fast"), b, QStringLiteral("FAST"), dir.path(), QStringLiteral("missing.ql3"),
                                        QString(), QStringLiteral("a.ql3")});
        // Arguments are passed on as written, relative ones included; later activations open nothing.
        QCOMPARE(arguments.takeStartupFiles(), (QStringList{b, QStringLiteral("a.ql3")}));
        QCOMPARE(arguments.takeStartupFiles(), QStringList());
    }

    void programFilesFoundBesideTheProgramOrInItsDataFolder()
    {
        QTemporaryDir root;
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("bin"))));
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("share/quillo"))));
        const QStringList folders = ProgramFolder::searchFolders(root.filePath(QStringLiteral("bin")), QStringLiteral("../share/quillo"));
        QCOMPARE(folders, (QStringList{root.filePath(QStringLiteral("bin/")), root.filePath(QStringLiteral("share/quillo/"))}));

        // Installed: only the data folder has the picture.
        writeFile(root.filePath(QStringLiteral("share/quillo/2.bmp")), QByteArray());
        QCOMPARE(ProgramFolder::filePath(QStringLiteral("2.bmp"), folders), root.filePath(QStringLiteral("share/quillo/2.bmp")));
        // Built: the program folder comes first.
        writeFile(root.filePath(QStringLiteral("bin/2.bmp")), QByteArray());
        QCOMPARE(ProgramFolder::filePath(QStringLiteral("2.bmp"), folders), root.filePath(QStringLiteral("bin/2.bmp")));
        // Missing everywhere: the program folder's name, for the caller to find nothing at.
        QCOMPARE(ProgramFolder::filePath(QStringLiteral("4.bmp"), folders), root.filePath(QStringLiteral("bin/4.bmp")));
    }

    void generatorSeededFromTheTimeOfDay()
    {
        QCOMPARE(StartupSequence::randomSeed(QTime(23, 59, 59, 999)), 86399999u);
        QCOMPARE(StartupSequence::randomSeed(QTime(10, 2, 3, 4)), 36123004u);
    }

    void splashAndAboutBoxNeverFailAndCloseAsUsual()
    {
        // Missing pictures show nothing but never fail.
        TSplash splash(QStringLiteral("/no/such/splash.bmp"));
        splash.showAndPaint();
        QVERIFY(splash.isVisible() && !splash.hasPicture() && !splash.grab().isNull());
        TAboutBox about(QStringLiteral("/no/such/logo.bmp"));
        QVERIFY(about.logo()->pixmap().isNull() && !QApplication::activeModalWidget());
        // The about box closes with OK on Enter.
        whenModal<TAboutBox>([](TAboutBox *shown) { QTest::keyClick(shown, Qt::Key_Return); });
        QCOMPARE(about.showCentred(), int(QDialog::Accepted));
    }

    void startUpRunsAndShutdownWrites()
    {
        const QString example = QStringLiteral(QUILLO_SOURCE_DIR "/examples/Beispiel.ql3");
        const QString a = m_dir.filePath(QStringLiteral("a.ql3"));
        const QString b = m_dir.filePath(QStringLiteral("b.ql3"));
        QVERIFY(QFile::copy(example, a));
        QVERIFY(QFile::copy(example, b));
        const QString scratch = m_dir.filePath(QStringLiteral("scratch"));
        const QString settings = m_dir.filePath(QStringLiteral("quillo.ini"));
        writeFile(settings, QStringLiteral("[Data]\r\nHUX=5\r\nTemp=%1\r\n").arg(scratch).toUtf8());
        QVERIFY(QDir().mkpath(scratch));

        auto *form = new TMainForm;
        form->startUp(
            CommandLineArguments({QStringLiteral("Fast"), b, QStringLiteral("FAST"), m_dir.filePath(QStringLiteral("missing.ql3")), a}),
            settings);
        QCOMPARE(form->Settings.HUX, 5);
        QCOMPARE(QFileInfo(form->fileContext().WorkFilePath).absolutePath(), QFileInfo(scratch).absoluteFilePath());
        QVERIFY(QFileInfo::exists(m_dir.filePath(QStringLiteral("data/applications/quillo.desktop"))));

        form->openStartupFiles();
        QCOMPARE(form->documents().size(), 2);
        QCOMPARE(QFileInfo(form->documents().at(0)->Set().FileName()).baseName()
                     + QFileInfo(form->documents().at(1)->Set().FileName()).baseName(),
                 QStringLiteral("ba"));

        form->Settings.SY = -7;
        const QString workFile = form->fileContext().WorkFilePath;
        QVERIFY(form->close());
        QVERIFY(!QFileInfo::exists(workFile));
        const QByteArray written = readFile(settings);
        QVERIFY(written.startsWith("[Data]\r\nHUX=5\r\nTemp="));
        QVERIFY(written.endsWith("ZuZuE=1\r\nHUY=0\r\nQUX=0\r\nQUY=0\r\nSX=0\r\nSY=-7\r\nSchnittkante=1\r\n"
                                 "Abstand1=1\r\nAbstand2=3\r\nAbstand3=7\r\nAbstand4=14\r\n"));
        delete form;
    }

    void aWindowWithoutStartUpTouchesNoOutsideFile()
    {
        // Windows made by tests must leave the desktop and the program folder alone.
        const QString data = m_dir.filePath(QStringLiteral("other-data"));
        qputenv("XDG_DATA_HOME", data.toUtf8());
        auto *form = new TMainForm;
        form->Settings.HUX = 3;
        QVERIFY(form->close());
        delete form;
        QVERIFY(!QFileInfo::exists(data));
        QVERIFY(!QFileInfo::exists(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quillo.ini"))));
    }
};

QUILLO_GUI_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
