#include "../BoxedSet.h"
#include "../TestFiles.h"
#include "document/CardSetDocument.h"
#include "exchange/CsvReader.h"

#include "cardset/ScratchFile.h"

#include <QTest>

class TestCardSetDocument : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    CardSetFileContext context{ScratchFile::makeWorkFilePath(folder.path()), PageOrientation::Landscape};

private slots:
    void nothingToShowGivesNoDocument()
    {
        writeFile(folder.filePath(QStringLiteral("liste.txt")), "Hund;dog\n");
        for (const auto &[name, outcome] :
             {std::pair{"fehlt.ql3", FileResult::Outcome::FileMissing}, {"liste.txt", FileResult::Outcome::WrongExtension}}) {
            const CardSetDocument::Opened opened = CardSetDocument::open(folder.filePath(QLatin1String(name)), context);
            QVERIFY(!opened.document);
            QCOMPARE(opened.result.outcome, outcome);
        }
    }

    // A damaged file still gives the window what was read, and a name-less
    // set, so that "Speichern" cannot go over the damaged file.
    void aDamagedFileKeepsItsSettingsAndNoName()
    {
        const QString file = folder.filePath(QStringLiteral("kaputt.ql3"));
        writeSetFile(file, "[Data]\r\nKopfzeile=Kopf\r\n", "1\r\n1\r\n1\r\n", {"{\\rtf1 a\\par}", "{\\rtf1 b\\par}"});
        const CardSetDocument::Opened opened = CardSetDocument::open(file, context);
        QVERIFY(opened.document);
        QCOMPARE(opened.result.outcome, FileResult::Outcome::Failed);
        QCOMPARE(opened.document->set().printOptions().HeaderText + QString::number(opened.document->set().count()),
                 QStringLiteral("Kopf0"));
        QVERIFY(opened.document->fileName().isEmpty() && !opened.document->isNew());
    }

    // A save goes back to the very file opened, in its letter case.
    void aSaveGoesBackToTheFileOpened()
    {
        const QString file = folder.filePath(QStringLiteral("Satz.ql3"));
        writeSetFile(file, "[Data]\r\nPO=0\r\n", "2\r\n", {"{\\rtf1 a\\par}", "{\\rtf1 b\\par}"});
        CardSetDocument::Opened opened = CardSetDocument::open(file, context);
        QVERIFY(opened.result.ok());
        CardSetDocument &document = *opened.document;
        QCOMPARE(document.fileName(), file);
        QCOMPARE(context.PrinterOrientation, PageOrientation::Portrait);
        document.set().setBox(0, 3);
        bool stored = false;
        QVERIFY(document.save(document.fileName(), context, [&stored] { stored = true; }).ok());
        QVERIFY(stored && !document.isModified());
        QCOMPARE(CardSetDocument::open(file, context).document->set().box(0), 3);
    }

    // The defaults of a new set, as the window, quillo-cli and the example
    // make it, survive a save.
    void aNewSetSavesItsDefaults()
    {
        const QString file = folder.filePath(QStringLiteral("neu.ql3"));
        std::unique_ptr<CardSetDocument> made = CardSetDocument::createNew(file);
        QVERIFY(made->isNew() && !made->isModified());
        QCOMPARE(made->set().count(), 1);
        context.PrinterOrientation = CardSetDocument::newSetOrientation();
        QVERIFY(made->save(made->fileName(), context).ok());
        const CardSetDocument::Opened opened = CardSetDocument::open(file, context);
        QVERIFY(opened.result.ok());
        const CardSet &set = opened.document->set();
        QCOMPARE(set.printOptions().AktPrintCards, 8);
        QCOMPARE(set.StandardFontFront().Name + QString::number(set.StandardFontBack().Size), QStringLiteral("Arial12"));
        QCOMPARE(context.PrinterOrientation, PageOrientation::Portrait);
    }

    // Cards from a word list are a change not yet saved; a missing picture
    // is reported, the card still made.
    void aWordListGivesAnUnsavedSet()
    {
        const CsvTable table = CsvReader::read("#html:true\nHund;<img src=\"fehlt.png\">;1\nKatze;cat;3\n", {});
        QVERIFY(table.ok());
        CardSetDocument::Imported imported =
            CardSetDocument::fromWordList(table, folder.filePath(QStringLiteral("liste.ql3")), {folder.path()});
        QVERIFY(imported.document->isModified());
        QCOMPARE(boxesOf(imported.document->set()), (QList<qint32>{1, 3}));
        QVERIFY(imported.problems.size() == 1 && imported.problems.constFirst().line == 2);
    }
};

QTEST_MAIN(TestCardSetDocument)
#include "tst_cardsetdocument.moc"
