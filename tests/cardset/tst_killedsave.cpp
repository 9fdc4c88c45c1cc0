#include "../TestFiles.h"

#include "cardset/CardSetFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

// A save killed at any moment leaves the whole old or the whole new file,
// and the next save removes what the killed runs left beside it.
class TestKilledSave : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_scratch;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Large enough that a save takes a while; `seed` tells the two sets apart.
    QByteArray makeReference(const QString &file, int cards, quint32 seed)
    {
        CardSet set;
        QRandomGenerator generator(seed);
        for (int i = 0; i < cards; ++i) {
            QByteArray face(8 * 1024, Qt::Uninitialized);
            for (char &c : face)
                c = char('a' + generator.bounded(26));
            set.AddCard({face, face.left(4096), 1 + i % 4, false});
        }
        CardSetFileContext context{m_scratch, PageOrientation::Portrait};
        if (!CardSetFile::SaveCardSet(set, file, context).ok())
            return {};
        return readFile(file);
    }

    // Starts a child saving `source` over `target` and returns once it has
    // loaded and begins to save.
    static bool startSave(QProcess &child, const QString &source, const QString &target, const QString &scratch)
    {
        child.start(QStringLiteral(QUILLO_SAVE_CHILD), {source, target, scratch});
        return child.waitForStarted() && child.waitForReadyRead(30000) && child.readLine().startsWith("bereit");
    }

private Q_SLOTS:
    void killedSavesLeaveAWholeFile()
    {
        QVERIFY(m_dir.isValid());
        m_scratch = path(QStringLiteral("scratch.tmp"));
        const QString sourceA = path(QStringLiteral("a.ql3"));
        const QString sourceB = path(QStringLiteral("b.ql3"));
        const QByteArray a = makeReference(sourceA, 300, 1);
        const QByteArray b = makeReference(sourceB, 200, 2);
        QVERIFY(!a.isEmpty() && !b.isEmpty());
        const QString target = path(QStringLiteral("Ziel.ql3"));
        writeFile(target, a);

        // How long one save takes here, for the range of the kills.
        QProcess probe;
        QElapsedTimer timer;
        QVERIFY(startSave(probe, sourceB, path(QStringLiteral("probe.ql3")), m_scratch));
        timer.start();
        QVERIFY(probe.waitForFinished(30000) && probe.exitCode() == 0);
        const qint64 saveMicros = std::max<qint64>(1000, timer.nsecsElapsed() / 1000);
        QFile::remove(path(QStringLiteral("probe.ql3")));

        QRandomGenerator generator(20261206);
        int old = 0, replaced = 0;
        for (int run = 0; run < 60; ++run) {
            const bool holdsA = readFile(target) == a;
            QProcess child;
            QVERIFY(startSave(child, holdsA ? sourceB : sourceA, target, m_scratch));
            QThread::usleep(generator.bounded(quint64(saveMicros + saveMicros / 4)));
            child.kill();
            QVERIFY(child.waitForFinished(30000));
            const QByteArray now = readFile(target);
            QVERIFY2(now == a || now == b, qPrintable(QStringLiteral("Lauf %1: %2 Bytes").arg(run).arg(now.size())));
            ++((now == a) == holdsA ? old : replaced);
        }
        qInfo("%d times the old file, %d times the new one, %lld files left beside it", old, replaced,
              qlonglong(QDir(m_dir.path()).entryList(QDir::Files).size() - 3));

        // The next save of the file leaves nothing of the killed runs.
        QProcess last;
        QVERIFY(startSave(last, sourceA, target, m_scratch));
        QVERIFY(last.waitForFinished(30000) && last.exitCode() == 0);
        QCOMPARE(readFile(target), a);
        QStringList left = QDir(m_dir.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(left, (QStringList{"Ziel.ql3", "a.ql3", "b.ql3"}));
    }
};

QTEST_GUILESS_MAIN(TestKilledSave)
#include "tst_killedsave.moc"
