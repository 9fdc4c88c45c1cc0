#include "cardset/ArchiveWriter.h"
#include "cardset/CardSetFile.h"
#include "cardset/LegacyCardSetImport.h"
#include "cardset/ScratchFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestLegacyImport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    CardSetFileContext m_context;

    static void container(const QString &path, const QList<QByteArray> &faces)
    {
        QFile::remove(path);
        ArchiveWriter writer(path);
        for (const QByteArray &face : faces)
            writer.appendData(QStringLiteral("C:\\WINDOWS\\TEMP\\~qla1.tmp"), face);
        writer.finish();
    }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    // Fingerprint of every file in a folder, to see that nothing changed.
    static QMap<QString, QByteArray> folderState(const QString &folder)
    {
        QMap<QString, QByteArray> state;
        const QDir dir(folder);
        for (const QString &name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                state.insert(name, QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
        }
        return state;
    }

    QString folder(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(path);
        return path;
    }

    static QList<QByteArray> faces(const CardSet &set, const QByteArray &(CardSet::*face)(int) const)
    {
        QList<QByteArray> result;
        for (int i = 0; i < set.count(); ++i)
            result.append((set.*face)(i));
        return result;
    }

    static const QByteArray &settings()
    {
        static const QByteArray text("[Data]\r\nKopfzeile=Latein\r\nAktPrintCards=2\r\nRandAbstand=15\r\nPrintNummer=0\r\n"
                                     "WebStyle=1\r\nCopyright=(c) 1999 Schule\r\n"
                                     "[TextFontStandard]\r\nName=Times New Roman\r\nSize=14\r\nBold=1\r\n"
                                     "[TitelFontStandard]\r\nName=Arial\r\nSize=11\r\nColor=255\r\n");
        return text;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_context.WorkFilePath = ScratchFile::makeWorkFilePath(folder(QStringLiteral("tmp")));
    }

    void importsThreeCardsAndLeavesOldFilesAlone()
    {
        const QString dir = folder(QStringLiteral("three"));
        container(dir + QStringLiteral("/Satz.QLT"), {"F1", "F2", "F3"});
        container(dir + QStringLiteral("/Satz.QLA"), {"B1", "B2", "B3"});
        writeFile(dir + QStringLiteral("/Satz.QLI"), settings());
        const auto before = folderState(dir);

        CardSet set;
        PrintOptions window;
        window.HeaderText = QStringLiteral("fresh window");
        window.HeaderMargins.Top = 7;
        set.startNew(window, FontRecord(), FontRecord());
        m_context.PrinterOrientation = PageOrientation::Landscape;
        const FileResult result = CardSetFile::LoadCardSet(set, dir + QStringLiteral("/Satz.QLA"), m_context);
        QVERIFY(result.ok());
        QVERIFY(CardSetFile::isLegacyPath(dir + QStringLiteral("/Satz.qla")));
        QCOMPARE(faces(set, &CardSet::front), (QList<QByteArray>{"F1", "F2", "F3"}));
        QCOMPARE(faces(set, &CardSet::back), (QList<QByteArray>{"B1", "B2", "B3"}));
        QCOMPARE(set.boxCount(1), 3);
        QCOMPARE(result.ErrorLine, QStringLiteral("2"));
        QCOMPARE(set.FileName(), dir + QStringLiteral("/Satz.QL3"));
        QCOMPARE(set.Modified(), false);
        QCOMPARE(set.CurrentIndex(), -1);
        const PrintOptions &options = set.printOptions();
        QCOMPARE(options.HeaderText, QStringLiteral("Latein"));
        QCOMPARE(options.AktPrintCards, 2);
        QCOMPARE(options.RandAbstand, 15);
        QCOMPARE(options.PrintNummer, false);
        QCOMPARE(options.WebStyle, true);
        QCOMPARE(options.Copyright, QStringLiteral("(c) 1999 Schule"));
        QCOMPARE(set.StandardFontBack(), (FontRecord{QStringLiteral("Times New Roman"), 14, 0, true, false, false, false}));
        QCOMPARE(set.StandardFontFront(), (FontRecord{QStringLiteral("Arial"), 11, 255, false, false, false, false}));
        // Not part of a 2.5 set: left as the window had them.
        QCOMPARE(options.HeaderMargins.Top, 7);
        QCOMPARE(options.HeaderColor, StoredColor::SystemWindow);
        QCOMPARE(m_context.PrinterOrientation, PageOrientation::Landscape);
        QCOMPARE(folderState(dir), before);

        QVERIFY(CardSetFile::SaveCardSet(set, set.FileName(), m_context).ok());
        auto after = folderState(dir);
        QVERIFY(after.remove(QStringLiteral("Satz.QL3")) == 1);
        QCOMPARE(after, before);
    }

    void findsCompanionsInAnyLetterCase()
    {
        const QString dir = folder(QStringLiteral("lower"));
        container(dir + QStringLiteral("/vokabeln.qlt"), {"f"});
        container(dir + QStringLiteral("/vokabeln.Qla"), {"b"});
        writeFile(dir + QStringLiteral("/vokabeln.qli"), settings());
        CardSet set;
        CardSetFile::LoadCardSet(set, dir + QStringLiteral("/vokabeln.Qla"), m_context);
        QCOMPARE(set.count(), 1);
        QCOMPARE(set.printOptions().AktPrintCards, 2);
        QCOMPARE(set.FileName(), dir + QStringLiteral("/vokabeln.QL3"));
    }

    void missingSettingsGiveDefaultsAndCreateNothing()
    {
        const QString dir = folder(QStringLiteral("nosettings"));
        container(dir + QStringLiteral("/S.QLT"), {"f"});
        container(dir + QStringLiteral("/S.QLA"), {"b"});
        CardSet set;
        CardSetFile::LoadCardSet(set, dir + QStringLiteral("/S.QLA"), m_context);
        const PrintOptions &options = set.printOptions();
        QCOMPARE(options.AktPrintCards, 4);
        QCOMPARE(options.RandAbstand, 10);
        QCOMPARE(options.TextAbstand, 20);
        QVERIFY(options.PrintNummer && options.PrintKopfZeile && options.PrintFadenkreuz && !options.WebStyle && options.PrintCR);
        QCOMPARE(options.Copyright, LegacyCardSetImport::defaultCopyright());
        QCOMPARE(set.StandardFontBack(), FontRecord{});
        QCOMPARE(QDir(dir).entryList(QDir::Files).size(), 2);
    }

    void missingFacesFailAtStepTwo()
    {
        const QString dir = folder(QStringLiteral("nofronts"));
        container(dir + QStringLiteral("/S.QLA"), {"b"});
        CardSet set;
        const FileResult result = CardSetFile::LoadCardSet(set, dir + QStringLiteral("/S.QLA"), m_context);
        QCOMPARE(result.outcome, FileResult::Outcome::Failed);
        QCOMPARE(result.ErrorLine, QStringLiteral("2"));
    }

    void differentFaceCountsKeepEveryFace()
    {
        const QString dir = folder(QStringLiteral("uneven"));
        container(dir + QStringLiteral("/S.QLT"), {"f1", "f2"});
        container(dir + QStringLiteral("/S.QLA"), {"b1", "b2", "b3", "b4"});
        CardSet set;
        CardSetFile::LoadCardSet(set, dir + QStringLiteral("/S.QLA"), m_context);
        QCOMPARE(faces(set, &CardSet::front), (QList<QByteArray>{"f1", "f2", "", ""}));
        QCOMPARE(faces(set, &CardSet::back), (QList<QByteArray>{"b1", "b2", "b3", "b4"}));

        container(dir + QStringLiteral("/S.QLT"), {"f1", "f2", "f3"});
        container(dir + QStringLiteral("/S.QLA"), {"b1"});
        CardSet other;
        CardSetFile::LoadCardSet(other, dir + QStringLiteral("/S.QLA"), m_context);
        QCOMPARE(faces(other, &CardSet::front), (QList<QByteArray>{"f1", "f2", "f3"}));
        QCOMPARE(faces(other, &CardSet::back), (QList<QByteArray>{"b1", "", ""}));
        QCOMPARE(other.boxCount(1), 3);
    }
};

QTEST_GUILESS_MAIN(TestLegacyImport)
#include "tst_legacyimport.moc"
