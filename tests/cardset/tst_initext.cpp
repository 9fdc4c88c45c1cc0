#include "../TestFiles.h"

#include "cardset/CheckedFileWriter.h"
#include "cardset/IniText.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

// How the text is read and written; creating a missing file, making a
// read-only one writable and ignoring write errors are the program
// settings' tests, which go through IniText for them.
class TestIniText : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString fileWith(const QByteArray &bytes) const { return ::fileWith(m_dir, bytes); }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void readingMatchesLikeTheWindowsFormat()
    {
        IniText ini(fileWith("; comment\r\n  [ data ]  \r\n\r\n   NAME  =  Arial Narrow  \r\nname=second\r\nEquation=a=b\r\nnovalue\r\n"
                             "[Other]\r\nSize=99\n[DATA]\rSize=12\r\n"));
        QCOMPARE(ini.ReadString(QStringLiteral("Data"), QStringLiteral("name"), QStringLiteral("d")), QStringLiteral("Arial Narrow"));
        QCOMPARE(ini.ReadString(QStringLiteral("data"), QStringLiteral("Equation"), QString()), QStringLiteral("a=b"));
        QCOMPARE(ini.ReadString(QStringLiteral("Data"), QStringLiteral("novalue"), QStringLiteral("d")), QStringLiteral("d"));
        // A later section of the same name is searched too; the first match wins.
        QCOMPARE(ini.ReadInteger(QStringLiteral("Data"), QStringLiteral("Size"), 1), 12);
        QCOMPARE(ini.ReadInteger(QStringLiteral("Other"), QStringLiteral("size"), 1), 99);
        QCOMPARE(ini.ReadString(QStringLiteral("Missing"), QStringLiteral("Size"), QStringLiteral("d")), QStringLiteral("d"));
    }

    void integersAndBooleans()
    {
        IniText ini(fileWith("[S]\r\nA= -42 \r\nB=12x\r\nC=\r\nD=99999999999\r\n"
                             "T=1\r\nF= 0 \r\nM=-1\r\nX=2\r\nY=yes\r\n"));
        const QString s = QStringLiteral("S");
        QStringList read;
        for (const char *key : {"A", "B", "C", "D"})
            read << QString::number(ini.ReadInteger(s, QString::fromLatin1(key), 7));
        QCOMPARE(read.join(' '), "-42 7 7 7");
        QCOMPARE(ini.ReadBool(s, QStringLiteral("T"), false), true);
        QCOMPARE(ini.ReadBool(s, QStringLiteral("F"), true), false);
        for (const char *key : {"M", "X", "Y", "Missing"}) {
            QCOMPARE(ini.ReadBool(s, QString::fromLatin1(key), true), true);
            QCOMPARE(ini.ReadBool(s, QString::fromLatin1(key), false), false);
        }
    }

    void writingReplacesInsertsAndAppends()
    {
        const QString path = fileWith("[A]\r\nk=1\r\n[B]\r\nx=1\r\n");
        {
            IniText ini(path);
            ini.WriteString(QStringLiteral("a"), QStringLiteral("K"), QStringLiteral("2"));   // replace, caller's spelling
            ini.WriteString(QStringLiteral("A"), QStringLiteral("new"), QStringLiteral("3")); // before the next header
            ini.WriteString(QStringLiteral("B"), QStringLiteral("y"), QStringLiteral("4"));   // last section: append
            ini.WriteString(QStringLiteral("C"), QStringLiteral("z"), QStringLiteral("5"));   // new section
            // Every write is on disk at once.
            QCOMPARE(readFile(path), QByteArray("[A]\r\nK=2\r\nnew=3\r\n[B]\r\nx=1\r\ny=4\r\n[C]\r\nz=5\r\n"));
        }
        QCOMPARE(readFile(path), QByteArray("[A]\r\nK=2\r\nnew=3\r\n[B]\r\nx=1\r\ny=4\r\n[C]\r\nz=5\r\n"));

        // On a full disk the file stays as it was, and nothing beside it.
        CheckedFileWriter::setFailAfterBytesForTesting(20);
        IniText(path).WriteString(QStringLiteral("C"), QStringLiteral("z"), QStringLiteral("6"));
        CheckedFileWriter::setFailAfterBytesForTesting(-1);
        QCOMPARE(readFile(path), QByteArray("[A]\r\nK=2\r\nnew=3\r\n[B]\r\nx=1\r\ny=4\r\n[C]\r\nz=5\r\n"));
        QCOMPARE(QFileInfo(path).dir().entryList({QFileInfo(path).fileName() + '*'}).size(), 1);
    }

    void everyLineReadsBackAsWritten()
    {
        // Code page 1252 whose bytes are also valid UTF-8, text that needs the
        // mark, text that would itself start with the mark's bytes, and a
        // line that starts with the mark itself.
        const QStringList values = {QStringLiteral("Ã¼bung"), QStringLiteral("Λέξεις ü"), QStringLiteral("ï»¿x"), QStringLiteral("\u0081")};
        IniText written{QByteArrayView()};
        for (int i = 0; i < values.size(); ++i)
            written.WriteString(QStringLiteral("S"), QString::number(i), values.at(i));
        written.WriteString(QStringLiteral("S"), QStringLiteral("\uFEFFk"), QStringLiteral("v"));
        const QByteArray stored = written.text();
        QVERIFY(stored.contains("0=\xC3\xBC"
                                "bung\r\n"));
        QVERIFY(stored.contains("\xEF\xBB\xBF"
                                "1=\xCE"));
        const IniText read{QByteArrayView(stored)};
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(read.ReadString(QStringLiteral("S"), QString::number(i), QString()), values.at(i));
        QCOMPARE(read.lines(), written.lines());

        // A stored line without the mark is code page 1252, even where its
        // bytes would make sense as UTF-8; a line break in a value would
        // start a line of its own.
        IniText old(QByteArrayView("[S]\r\nk=\xC3\xBC \x80\r\n"));
        QCOMPARE(old.ReadString(QStringLiteral("S"), QStringLiteral("k"), QString()), QStringLiteral("Ã¼ €"));
        old.WriteString(QStringLiteral("S"), QStringLiteral("lines"), QStringLiteral("a\r\nb"));
        QCOMPARE(old.text(), QByteArray("[S]\r\nk=\xC3\xBC \x80\r\nlines=a  b\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestIniText)
#include "tst_initext.moc"
