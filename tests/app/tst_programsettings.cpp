#include "../TestFiles.h"
#include "program/ProgramSettings.h"

#include <QTest>

class TestProgramSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_counter = 0;

    QString fileWith(const QByteArray &bytes) const { return ::fileWith(m_dir, bytes); }

    QString freshPath() { return m_dir.filePath(QStringLiteral("n%1.ini").arg(++m_counter)); }

    // Every member in the order of the file, and Temp.
    static QString members(const ProgramSettings &s)
    {
        return QString::asprintf("%d %d %d %d %d %d %d %d [%s]", int(s.ZuZuE), s.HUX, s.HUY, s.QUX, s.QUY, s.SX, s.SY, int(s.Schnittkante),
                                 qUtf8Printable(s.Temp));
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
        QCOMPARE(members(settings), QStringLiteral("1 0 0 0 0 0 0 1 []"));
        QCOMPARE(readFile(path), QByteArray());
        // Where no file can be made, the values are lost silently.
        const QString nowhere = m_dir.filePath(QStringLiteral("no-such-folder/quillo.ini"));
        ProgramSettings lost(nowhere);
        lost.read();
        lost.write();
        QVERIFY(!QFileInfo::exists(nowhere));
    }

    // How the file's text is read is IniText's test; here each key's value
    // and fallback.
    void valuesAndFallbacks()
    {
        ProgramSettings settings(fileWith("[ data ]\r\n zuzue = 0 \r\nHUX=\r\nHUY=-12\r\nQUX=3.5\r\nQUY= 2147483647 \r\nSX=2147483648\r\n"
                                          "SY=-4\r\nSchnittkante=breit\r\nTemp=  /var/tmp/q  \r\n"));
        settings.read();
        QCOMPARE(members(settings), QStringLiteral("0 0 -12 0 2147483647 0 -4 1 [/var/tmp/q]"));
        ProgramSettings other(fileWith("[Data]\r\nZuZuE=ja\r\nSchnittkante=65535\r\n"));
        other.read();
        QCOMPARE(members(other), QStringLiteral("1 0 0 0 0 0 0 65535 []"));
        // Review intervals of 1 to 365 days; anything else is the box's default.
        ProgramSettings intervals(fileWith("[Data]\r\nAbstand1=365\r\nAbstand2=0\r\nAbstand3=366\r\nAbstand4=zwei\r\n"));
        intervals.read();
        QVERIFY(intervals.Abstand == (std::array<qint32, 4>{365, 3, 7, 14}));
        // The cut edge is held in 16 bits.
        for (const char *text : {"65536", "-1", "70000"}) {
            ProgramSettings edge(fileWith(QByteArray("[Data]\r\nSchnittkante=") + text + "\r\n"));
            edge.read();
            QCOMPARE(edge.Schnittkante, quint16(1));
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
                            "SX=70\r\nSY=-80\r\nSchnittkante=65535\r\nAbstand1=1\r\nAbstand2=3\r\nAbstand3=7\r\nAbstand4=14\r\n"));

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
                            "Abstand1=1\r\nAbstand2=3\r\nAbstand3=7\r\nAbstand4=14\r\n"
                            "[Other]\r\nA=1\r\n"));
    }

    void tempFolderGivesTheWorkFile()
    {
        QTemporaryDir temp;
        const QString folder = temp.path();
        QCOMPARE(ProgramSettings::workFolder(QStringLiteral("   ")) + ProgramSettings::workFolder(QStringLiteral("C:\\Temp\\")),
                 QStringLiteral("C:\\Temp\\"));
        QCOMPARE(ProgramSettings::workFolder(folder), ProgramSettings::workFolder(folder + QLatin1Char('/')));

        ProgramSettings settings(freshPath());
        settings.Temp = folder;
        const QString first = settings.makeWorkFilePath();
        settings.Temp = folder + QLatin1Char('/');
        const QString second = settings.makeWorkFilePath();
        for (const QString &path : {first, second}) {
            QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(folder).absoluteFilePath());
            QVERIFY(QFileInfo(path).fileName().startsWith(QLatin1String("temp1")) && !path.contains(QStringLiteral("//")));
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
