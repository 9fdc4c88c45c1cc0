#include "app/ProgramSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestProgramSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_counter = 0;

    QString fileWith(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("s%1.ini").arg(++m_counter));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }

    QString freshPath() { return m_dir.filePath(QStringLiteral("n%1.ini").arg(++m_counter)); }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void missingFileGivesDefaultsAndIsCreatedEmpty()
    {
        const QString path = freshPath();
        ProgramSettings settings(path);
        settings.HUX = 99;
        settings.Schnittkante = 7;
        settings.read();
        QCOMPARE(settings.ZuZuE, true);
        QCOMPARE(settings.HUX, 0);
        QCOMPARE(settings.SY, 0);
        QCOMPARE(settings.Schnittkante, quint16(1));
        QVERIFY(settings.Temp.isEmpty());
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(readFile(path), QByteArray());
    }

    void valuesAndFallbacks()
    {
        ProgramSettings settings(fileWith("[ data ]\r\n"
                                          " zuzue = 0 \r\n"
                                          "HUX=\r\n"
                                          "HUY=-12\r\n"
                                          "QUX=3.5\r\n"
                                          "QUY= 2147483647 \r\n"
                                          "SX=2147483648\r\n"
                                          "SY=-4\r\n"
                                          "Schnittkante=breit\r\n"
                                          "Temp=  /var/tmp/q  \r\n"));
        settings.read();
        QCOMPARE(settings.ZuZuE, false);
        QCOMPARE(settings.HUX, 0);
        QCOMPARE(settings.HUY, -12);
        QCOMPARE(settings.QUX, 0);
        QCOMPARE(settings.QUY, 2147483647);
        QCOMPARE(settings.SX, 0);
        QCOMPARE(settings.SY, -4);
        QCOMPARE(settings.Schnittkante, quint16(1));
        QCOMPARE(settings.Temp, QStringLiteral("/var/tmp/q"));

        // A boolean other than "1" or "0" keeps its default.
        ProgramSettings other(fileWith("[Data]\r\nZuZuE=ja\r\nSchnittkante=65535\r\n"));
        other.read();
        QCOMPARE(other.ZuZuE, true);
        QCOMPARE(other.Schnittkante, quint16(65535));
    }

    void cutEdgeOutsideSixteenBitsFallsBack()
    {
        for (const char *text : {"65536", "-1", "70000"}) {
            ProgramSettings settings(fileWith(QByteArray("[Data]\r\nSchnittkante=") + text + "\r\n"));
            settings.read();
            QCOMPARE(settings.Schnittkante, quint16(1));
        }
    }

    void readRewritesTheFileUnchanged()
    {
        const QByteArray original("; Kalibrierung\r\n[Data]\r\nHUX=3\r\nunknown=x\r\n\r\n[Other]\r\nA=1\r\n");
        const QString path = fileWith(original);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.setFileTime(before.addSecs(-3600), QFileDevice::FileModificationTime));
        }
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        ProgramSettings settings(path);
        settings.read();
        QCOMPARE(settings.HUX, 3);
        QCOMPARE(readFile(path), original);
        // Written, not merely left alone; and writable again.
        QVERIFY(QFileInfo(path).lastModified() >= before);
        QVERIFY(QFileInfo(path).permissions() & QFileDevice::WriteOwner);
    }

    void writeKeepsTheOrderAndLeavesTempAlone()
    {
        const QString fresh = freshPath();
        ProgramSettings settings(fresh);
        settings.ZuZuE = false;
        settings.HUX = -3;
        settings.HUY = 4;
        settings.QUX = 5;
        settings.QUY = 6;
        settings.SX = 70;
        settings.SY = -80;
        settings.Schnittkante = 65535;
        settings.Temp = QStringLiteral("/tmp/x");
        settings.write();
        QCOMPARE(readFile(fresh),
                 QByteArray("[Data]\r\nZuZuE=0\r\nHUX=-3\r\nHUY=4\r\nQUX=5\r\nQUY=6\r\n"
                            "SX=70\r\nSY=-80\r\nSchnittkante=65535\r\n"));

        // An existing file keeps its lines where they are; new keys go to the
        // end of the section, the user's "Temp" stays as written.
        const QString existing = fileWith("[Data]\r\nTemp = C:\\Temp \r\nSY=1\r\n[Other]\r\nA=1\r\n");
        ProgramSettings again(existing);
        again.read();
        again.HUX = 1;
        again.write();
        QCOMPARE(readFile(existing),
                 QByteArray("[Data]\r\nTemp = C:\\Temp \r\nSY=1\r\nZuZuE=1\r\nHUX=1\r\n"
                            "HUY=0\r\nQUX=0\r\nQUY=0\r\nSX=0\r\nSchnittkante=1\r\n"
                            "[Other]\r\nA=1\r\n"));

        // What was written is what is read next time.
        ProgramSettings next(fresh);
        next.read();
        QCOMPARE(next.ZuZuE, false);
        QCOMPARE(next.SY, -80);
        QCOMPARE(next.Schnittkante, quint16(65535));
    }

    void unwritableFileLosesTheValuesSilently()
    {
        const QString path = m_dir.filePath(QStringLiteral("no-such-folder/quillo.ini"));
        ProgramSettings settings(path);
        settings.read();
        settings.HUX = 5;
        settings.write();
        QVERIFY(!QFileInfo::exists(path));
    }

    void tempFolderGivesTheWorkFile()
    {
        QCOMPARE(ProgramSettings::workFolder(QStringLiteral("   ")), QString());
        QCOMPARE(ProgramSettings::workFolder(QString()), QString());
        QCOMPARE(ProgramSettings::workFolder(QStringLiteral("C:\\Temp\\")), QStringLiteral("C:\\Temp\\"));

        QTemporaryDir temp;
        const QString folder = temp.path();
        QCOMPARE(ProgramSettings::workFolder(folder), ProgramSettings::workFolder(folder + QLatin1Char('/')));

        ProgramSettings settings(freshPath());
        settings.Temp = folder;
        const QString first = settings.makeWorkFilePath();
        settings.Temp = folder + QLatin1Char('/');
        const QString second = settings.makeWorkFilePath();
        for (const QString &path : {first, second}) {
            QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(folder).absoluteFilePath());
            QVERIFY(QFileInfo(path).fileName().startsWith(QLatin1String("temp1")));
            QVERIFY(!path.contains(QStringLiteral("//")));
        }
        // Every scratch file belongs to one program alone.
        QVERIFY(first != second);

        // Blanks count as unset: the system's temporary folder.
        settings.Temp = QStringLiteral("  \t ");
        const QString fallback = settings.makeWorkFilePath();
        QCOMPARE(QFileInfo(fallback).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        QFile::remove(fallback);
    }

    void settingsLiveInTheConfigFolderWhenTheProgramFolderIsReadOnly()
    {
        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("bin"));
        const QString config = root.filePath(QStringLiteral("config/Quillo"));
        QDir().mkpath(program);
        QCOMPARE(ProgramSettings::chooseFilePath(program, config), program + QStringLiteral("/quillo.ini"));
        QVERIFY(!QFileInfo::exists(config));
        // An installed program never writes beside itself, even as root.
        QCOMPARE(ProgramSettings::chooseFilePath(program, config, true), config + QStringLiteral("/quillo.ini"));
        QVERIFY(QFileInfo(config).isDir());
        QDir(config).removeRecursively();

        QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QFileInfo(program).isWritable())
            QSKIP("this user may write everywhere");
        QCOMPARE(ProgramSettings::chooseFilePath(program, config), config + QStringLiteral("/quillo.ini"));
        QVERIFY(QFileInfo(config).isDir());
        QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestProgramSettings)
#include "tst_programsettings.moc"
