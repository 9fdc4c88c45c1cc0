#include "fuzz/FuzzTargets.h"

#include <QDirIterator>
#include <QTest>

// The inputs that found faults (fuzz/regressions/) and the seeds the
// fuzzing starts from (fuzz/seeds/), each through every entry point: an
// input kept for one reader is hostile bytes to the others as well.
class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyInputThroughEveryTarget_data()
    {
        QTest::addColumn<QString>("path");
        const QString root = QStringLiteral(QUILLO_SOURCE_DIR "/fuzz/");
        for (const QString &folder : {QStringLiteral("regressions"), QStringLiteral("seeds")}) {
            QDirIterator files(root + folder, QDir::Files, QDirIterator::Subdirectories);
            while (files.hasNext()) {
                const QString path = files.next();
                QTest::newRow(qPrintable(path.mid(root.size()))) << path;
            }
        }
    }

    void everyInputThroughEveryTarget()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray input = file.readAll();
        const std::pair<const char *, QString (*)(QByteArrayView)> targets[] = {{"rtfReader", FuzzTargets::rtfReader},
                                                                                {"cardSetLoad", FuzzTargets::cardSetLoad},
                                                                                {"iniText", FuzzTargets::iniText},
                                                                                {"legacyImport", FuzzTargets::legacyImport},
                                                                                {"wordList", FuzzTargets::wordList}};
        for (const auto &[name, entry] : targets) {
            const QString failure = entry(input);
            QVERIFY2(failure.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), failure)));
        }
    }
};

QTEST_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
