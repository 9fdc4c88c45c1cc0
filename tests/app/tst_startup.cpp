#include "app/CommandLineArguments.h"
#include "app/ProgramFolder.h"
#include "app/StartupSequence.h"
#include "quiz/RandomGenerator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT

private:
    // Runs the entry sequence on a clock that only the waiting moves on, and
    // records the steps with the time each one saw.
    static QStringList runSequence(const QStringList &arguments, qint64 *waited = nullptr)
    {
        StartupSequence sequence;
        qint64 now = 1000;
        qint64 pausedFor = 0;
        sequence.clock = [&now] { return now; };
        sequence.pause = [&now, &pausedFor](qint64 remaining) {
            const qint64 step = std::min<qint64>(remaining, 700);
            now += step;
            pausedFor += step;
        };
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
        if (waited)
            *waited = pausedFor;
        return steps;
    }

private Q_SLOTS:
    void splashWaitsThreeSecondsFromTheStartTime()
    {
        qint64 waited = -1;
        // The start time is taken after the splash shows: 1000 + 3000.
        QCOMPARE(runSequence({}, &waited), (QStringList{"splash", "windows", "destroy@4000", "loop", "7"}));
        QCOMPARE(waited, qint64(2600));
        QCOMPARE(runSequence({QStringLiteral("/no/such.ql3"), QStringLiteral("FAST")}, &waited).at(2), QStringLiteral("destroy@4000"));
    }

    void fastAsFirstArgumentSkipsTheWait()
    {
        for (const char *fast : {"FAST", "fast", "FaSt", "fAST"}) {
            qint64 waited = -1;
            QCOMPARE(runSequence({QString::fromLatin1(fast), QStringLiteral("x.ql3")}, &waited),
                     (QStringList{"splash", "windows", "destroy@1400", "loop", "7"}));
            QCOMPARE(waited, qint64(0));
        }
        for (const QString &notFast :
             {QStringLiteral("FAST "), QStringLiteral("FASTER"), QStringLiteral("fa\u017Ft"), QStringLiteral("-FAST"), QString()}) {
            QVERIFY2(!CommandLineArguments({notFast}).skipsSplashWait(), qPrintable(notFast));
            QVERIFY(!CommandLineArguments::isFastSwitch(notFast));
        }
        QVERIFY(!CommandLineArguments({}).skipsSplashWait());
    }

    void existingFilesOpenInOrderAndFastNever()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const auto make = [&dir](const QString &name) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        };
        make(QStringLiteral("b.ql3"));
        make(QStringLiteral("a.ql3"));
        // A file really named like the switch is still never opened.
        make(QStringLiteral("FAST"));
        make(QStringLiteral("fast"));
        QDir::setCurrent(dir.path());

        const QString b = dir.filePath(QStringLiteral("b.ql3"));
        CommandLineArguments arguments({QStringLiteral("fast"), b, QStringLiteral("FAST"), dir.path(), QStringLiteral("missing.ql3"),
                                        QString(), QStringLiteral("a.ql3")});
        QVERIFY(arguments.startupPending());
        // Arguments are passed on as written, relative ones included.
        QCOMPARE(arguments.takeStartupFiles(), (QStringList{b, QStringLiteral("a.ql3")}));
        QVERIFY(!arguments.startupPending());
        // Later activations open nothing.
        QCOMPARE(arguments.takeStartupFiles(), QStringList());
        QCOMPARE(arguments.files().size(), 2);
    }

    void programFilesFoundBesideTheProgramOrInItsDataFolder()
    {
        QTemporaryDir root;
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("bin"))));
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("share/quillo"))));
        const QStringList folders = ProgramFolder::searchFolders(root.filePath(QStringLiteral("bin")), QStringLiteral("../share/quillo"));
        QCOMPARE(folders, (QStringList{root.filePath(QStringLiteral("bin/")), root.filePath(QStringLiteral("share/quillo/"))}));

        const auto touch = [&root](const QString &name) {
            QFile file(root.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        };
        // Installed: only the data folder has the picture.
        touch(QStringLiteral("share/quillo/2.bmp"));
        QCOMPARE(ProgramFolder::filePath(QStringLiteral("2.bmp"), folders), root.filePath(QStringLiteral("share/quillo/2.bmp")));
        // Built: the program folder comes first.
        touch(QStringLiteral("bin/2.bmp"));
        QCOMPARE(ProgramFolder::filePath(QStringLiteral("2.bmp"), folders), root.filePath(QStringLiteral("bin/2.bmp")));
        // Missing everywhere: the program folder's name, for the caller to find nothing at.
        QCOMPARE(ProgramFolder::filePath(QStringLiteral("4.bmp"), folders), root.filePath(QStringLiteral("bin/4.bmp")));
        QVERIFY(ProgramFolder::path().endsWith(QLatin1Char('/')));
    }

    void generatorSeededFromTheTimeOfDay()
    {
        QCOMPARE(StartupSequence::randomSeed(QTime(0, 0)), 0u);
        QCOMPARE(StartupSequence::randomSeed(QTime(23, 59, 59, 999)), 86399999u);
        QCOMPARE(StartupSequence::randomSeed(QTime(10, 2, 3, 4)), 36123004u);

        // Worked by hand: 36123004 * 134775813 + 1 = 4868507232102253 ≡ 2888296301 (mod 2^32),
        // then 2888296301 * 10 >> 32 = 6; the next seed 2888296301 * 134775813 + 1
        // ≡ 2474883362, and 2474883362 * 1000 >> 32 = 576.
        RandomGenerator random(StartupSequence::randomSeed(QTime(10, 2, 3, 4)));
        QCOMPARE(random.draw(10), 6);
        QCOMPARE(random.seed(), 2888296301u);
        QCOMPARE(random.draw(1000), 576);
        QCOMPARE(random.seed(), 2474883362u);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
