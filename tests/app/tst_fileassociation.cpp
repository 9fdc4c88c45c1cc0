#include "../TestFiles.h"

#include "app/FileAssociation.h"

#include <QTest>

class TestFileAssociation : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    static QString lineStarting(const QByteArray &text, const QString &prefix)
    {
        for (const QString &line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
            if (line.startsWith(prefix))
                return line.mid(prefix.size());
        }
        return QStringLiteral("<none>");
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        // Nothing of the tester's own desktop is touched.
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
        // The desktop's refresh tools run detached and would write into the
        // folder after the test has removed it.
        qputenv("PATH", m_home.filePath(QStringLiteral("no-tools")).toUtf8());
    }

    void writtenForTheRunningProgram()
    {
        const FileAssociation::Outcome outcome = FileAssociation::writeForRunningProgram();
        QVERIFY(outcome.written && outcome.changed);
        // The definition itself is compared with the installed one below.
        QCOMPARE(readFile(m_home.filePath(QStringLiteral("mime/packages/quillo.xml"))), FileAssociation::mimeDefinition());

        const QByteArray desktop = readFile(m_home.filePath(QStringLiteral("applications/quillo.desktop")));
        QVERIFY(desktop.startsWith("[Desktop Entry]\n"));
        QCOMPARE(lineStarting(desktop, QStringLiteral("Exec=")),
                 FileAssociation::execArgument(QCoreApplication::applicationFilePath()) + QStringLiteral(" %f"));
        QCOMPARE(lineStarting(desktop, QStringLiteral("MimeType=")), QStringLiteral("application/x-quillo;"));
        QVERIFY(lineStarting(desktop, QStringLiteral("Icon=")) != QLatin1String("<none>"));
    }

    void rewrittenAtEveryStartAlsoWhenChanged()
    {
        QTemporaryDir home;
        const QString program = QStringLiteral("/opt/quillo/bin/quillo");
        const QString desktopPath = home.filePath(QStringLiteral("applications/quillo.desktop"));
        const QString mimePath = home.filePath(QStringLiteral("mime/packages/quillo.xml"));

        FileAssociation::Outcome first = FileAssociation::write(program, QStringLiteral("quillo"), home.path(), false);
        QVERIFY(first.written && first.changed);
        const QByteArray desktop = readFile(desktopPath);
        const QByteArray mime = readFile(mimePath);

        FileAssociation::Outcome same = FileAssociation::write(program, QStringLiteral("quillo"), home.path(), false);
        QVERIFY(same.written && !same.changed);

        // Another program took the type over; the next start takes it back.
        writeFile(desktopPath,
                  "[Desktop Entry]\nType=Application\nName=Other\nExec=/usr/bin/other %f\n"
                  "MimeType=application/x-quillo;\n");
        writeFile(mimePath, "<mime-info/>");
        FileAssociation::Outcome back = FileAssociation::write(program, QStringLiteral("quillo"), home.path(), false);
        QVERIFY(back.written && back.changed);
        QCOMPARE(readFile(desktopPath), desktop);
        QCOMPARE(readFile(mimePath), mime);

        // A program moved elsewhere is written into the entry.
        FileAssociation::write(QStringLiteral("/home/u/quillo"), QStringLiteral("quillo"), home.path(), false);
        QCOMPARE(lineStarting(readFile(desktopPath), QStringLiteral("Exec=")), QStringLiteral("/home/u/quillo %f"));
    }

    void execLineQuotesAndEscapes()
    {
        // Inside quotes `"`, `$`, backquote and backslash get a backslash; then
        // every backslash is doubled once more for the string value, and a
        // percent sign doubled for Exec.
        for (const auto &[program, argument] : {std::pair{"/usr/bin/quillo", "/usr/bin/quillo"},
                                                {"/home/ä b/quillo", "\"/home/ä b/quillo\""},
                                                {"/x/$a\"b\\c`d/100%", "\"/x/\\\\$a\\\\\"b\\\\\\\\c\\\\`d/100%%\""},
                                                {"/x/50%/q", "/x/50%%/q"}})
            QCOMPARE(FileAssociation::execArgument(QString::fromUtf8(program)), QString::fromUtf8(argument));
    }

    void installedTypeMatchesTheWrittenOne()
    {
        // An installed and a per-user definition of one type must agree, or
        // the desktop would show whichever it read last.
        QCOMPARE(readFile(QStringLiteral(QUILLO_SOURCE_DIR "/resources/desktop/quillo.xml")), FileAssociation::mimeDefinition());
        const QByteArray entry = readFile(QStringLiteral(QUILLO_SOURCE_DIR "/resources/desktop/quillo.desktop.in"));
        QCOMPARE(lineStarting(entry, QStringLiteral("MimeType=")), QStringLiteral("application/x-quillo;"));
        QCOMPARE(lineStarting(entry, QStringLiteral("Exec=")), QStringLiteral("@QUILLO_EXEC@ %f"));
    }

    void failuresLeaveStartUpGoing()
    {
        QTemporaryDir home;
        // The data folder is a file: nothing can be written below it.
        const QString blocked = home.filePath(QStringLiteral("blocked"));
        writeFile(blocked, "x");
        QVERIFY(!FileAssociation::write(QStringLiteral("/usr/bin/quillo"), QStringLiteral("quillo"), blocked, false).written);
        // A path that a desktop entry cannot carry is not written wrong.
        QVERIFY(!FileAssociation::write(QStringLiteral("/a\nb/quillo"), QStringLiteral("quillo"), home.path(), false).written);
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("applications/quillo.desktop"))));
        QVERIFY(!FileAssociation::write(QStringLiteral("/usr/bin/quillo"), QStringLiteral("quillo"), QString(), false).written);
    }
};

QTEST_GUILESS_MAIN(TestFileAssociation)
#include "tst_fileassociation.moc"
