#include "app/CommandLineArguments.h"
#include "app/TMainForm.h"
#include "editor/TMDIChild.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The main window's start-up and shutdown with the program's own pieces:
// settings read and written, the scratch file in the "Temp" folder, the
// command line's files opened once and in order.
class TestStartupWiring : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
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
        {
            QFile file(settings);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral("[Data]\r\nHUX=5\r\nTemp=%1\r\n").arg(scratch).toUtf8());
        }
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
        QCOMPARE(QFileInfo(form->documents().at(0)->Set().FileName()).baseName(), QStringLiteral("b"));
        QCOMPARE(QFileInfo(form->documents().at(1)->Set().FileName()).baseName(), QStringLiteral("a"));
        form->openStartupFiles();
        QCOMPARE(form->documents().size(), 2);

        form->Settings.SY = -7;
        const QString workFile = form->fileContext().WorkFilePath;
        QVERIFY(form->close());
        QVERIFY(!QFileInfo::exists(workFile));
        const QByteArray written = readFile(settings);
        QVERIFY(written.startsWith("[Data]\r\nHUX=5\r\nTemp="));
        QVERIFY(written.endsWith("ZuZuE=1\r\nHUY=0\r\nQUX=0\r\nQUY=0\r\nSX=0\r\nSY=-7\r\nSchnittkante=1\r\n"));
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

QTEST_MAIN(TestStartupWiring)
#include "tst_startupwiring.moc"
