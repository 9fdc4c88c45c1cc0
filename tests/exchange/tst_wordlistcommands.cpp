#include "../BoxedSet.h"
#include "../ModalGuard.h"
#include "../TestFiles.h"
#include "../editor/ScriptedDialogs.h"
#include "document/CardSetDocument.h"
#include "exchange/TAnkiImportDialog.h"
#include "exchange/TExportDialog.h"
#include "exchange/TImportDialog.h"
#include "exchange/WordListCommands.h"

#include "cardset/CheckedFileWriter.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTextCharFormat>

class TestWordListCommands : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;
    ScriptedDialogs dialogs;

    QString path(const char *name) const { return folder.filePath(QLatin1String(name)); }
    static QByteArray rtf(const QString &text) { return RtfWriter::writePlainText(text, QTextCharFormat()); }
    // A set to export: the cards (front, back), none checked.
    static std::unique_ptr<CardSetDocument> setOf(const QString &fileName, const QList<QStringList> &cards)
    {
        std::unique_ptr<CardSetDocument> document = CardSetDocument::createNew(fileName);
        QList<Card> list;
        for (const QStringList &faces : cards)
            list.append({rtf(faces.value(0)), rtf(faces.value(1))});
        document->set().replaceCards(list);
        return document;
    }

private slots:
    void init() { dialogs = ScriptedDialogs(); }

    void importMakesAnUnsavedSetWithoutAWindow()
    {
        writeFile(path("liste.csv"), "Frage;Antwort;Kasten\r\nK\xE4se;cheese;3\r\nHaus;house;x\r\n");
        // A set of that name stays as it is.
        writeFile(path("liste.ql3"), "alt");
        QString shown;
        whenModal<TImportDialog>([&shown](TImportDialog *preview) {
            shown = preview->TrennzeichenCombo->currentText() + QLatin1Char(' ') + preview->ZeichensatzCombo->currentText()
                + QLatin1Char(' ') + preview->AnzahlLabel->text();
            preview->ImportierenButton->click();
        });
        const std::unique_ptr<CardSetDocument> document = WordListCommands::importList(nullptr, dialogs, path("liste.csv"), 300);
        QCOMPARE(shown, QStringLiteral("Semikolon Windows-1252 2 Karten werden angelegt."));

        QVERIFY(document && document->isModified());
        for (const QWidget *window : QApplication::topLevelWidgets())
            QVERIFY(!window->isVisible());
        QCOMPARE(boxesOf(document->set()), (QList<qint32>{3, 1}));
        QCOMPARE(RtfReader::textLines(document->set().front(0)), QStringList{QString::fromUtf8("Käse")});
        QCOMPARE(document->fileName(), path("liste_1.ql3"));
        QCOMPARE(readFile(path("liste.ql3")), QByteArray("alt"));
        QVERIFY(dialogs.warnings.isEmpty() && dialogs.informations.isEmpty());
    }

    void badOrCancelledListsMakeNothing()
    {
        writeFile(path("kaputt.csv"), "a;b\nnur eins\nc;d\n");
        QString shown;
        whenModal<TImportDialog>([&shown](TImportDialog *preview) {
            shown = preview->AnzahlLabel->text() + (preview->ImportierenButton->isEnabled() ? " (aktiv)" : "");
            preview->reject();
        });
        QVERIFY(!WordListCommands::importList(nullptr, dialogs, path("kaputt.csv"), 300));
        QCOMPARE(shown, QStringLiteral("Zeile 2: Die Zeile hat nur ein Feld; eine Karte braucht Vorder- und Rückseite."));
        QVERIFY(dialogs.warnings.isEmpty());

        // No choice helps an empty list: no preview.
        writeFile(path("leer.txt"), "\r\n");
        QVERIFY(!WordListCommands::importList(nullptr, dialogs, path("leer.txt"), 300));
        QVERIFY(dialogs.warnings.size() == 1 && dialogs.warnings.constFirst().contains(QStringLiteral("Die Datei enthält keine Karten.")));
    }

    // Each row of the preview as tall as its text at the width the dialog
    // is shown with, not as the narrow columns before it wrapped it.
    void previewRowsAreOneLineTall()
    {
        QByteArray list = "Frage\tAntwort\n";
        for (int i = 1; i <= 9; ++i) {
            const QByteArray word = "Wort" + QByteArray::number(i);
            list += (i % 4 == 0 ? word + " in einem Satz mit Komma, Punkt." : word) + "\tword\n";
        }
        TImportDialog preview(list, folder.path());
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        const QTableWidget *table = preview.Vorschau;
        QCOMPARE(table->rowCount(), 9);
        const int width = table->fontMetrics().horizontalAdvance(table->item(3, 1)->text());
        QVERIFY(width > 100 && width < table->columnWidth(1) - 20);
        for (int row = 0; row < table->rowCount(); ++row)
            QCOMPARE(table->rowHeight(row), table->rowHeight(0));
    }

    void exportWritesTheSetWithItsEdits()
    {
        std::unique_ptr<CardSetDocument> document = setOf(path("satz.ql3"), {{"K\u00e4se", "cheese"}, {"Haus"}});
        CardSet &set = document->set();
        whenModal<TExportDialog>([](TExportDialog *choice) {
            choice->SemikolonRadio->setChecked(true);
            choice->KastenCheck->setChecked(true);
            choice->accept();
        });
        dialogs.saveAnswers.append(path("satz.csv"));
        const auto storeEdits = [&set] { set.setBack(1, rtf(QStringLiteral("house"))); };
        WordListCommands::exportSet(nullptr, dialogs, set, storeEdits, [](int) { QFAIL("no card is visited"); });
        QCOMPARE(dialogs.saveTitles, QStringList{QStringLiteral("Exportieren")});
        QCOMPARE(readFile(path("satz.csv")),
                 QByteArray("Vorderseite;R\xFC"
                            "ckseite;Kasten\r\nK\xE4se;cheese;1\r\nHaus;house;1\r\n"));
        QVERIFY(dialogs.warnings.isEmpty());

        // A full disk is said as such, and the old list stays.
        whenModal<TExportDialog>([](TExportDialog *choice) { choice->accept(); });
        dialogs.saveAnswers.append(path("satz.csv"));
        CheckedFileWriter::setFailAfterBytesForTesting(10);
        WordListCommands::exportSet(
            nullptr, dialogs, set, [] {}, [](int) {});
        CheckedFileWriter::setFailAfterBytesForTesting(-1);
        QCOMPARE(dialogs.warnings,
                 QStringList{QStringLiteral("Die Datei ") + path("satz.csv") + QStringLiteral(" konnte nicht geschrieben werden.")});
        QCOMPARE(dialogs.warningDetails, QStringList{QStringLiteral("Auf dem Datenträger ist nicht genügend Speicherplatz frei.")});
        QVERIFY(readFile(path("satz.csv")).startsWith("Vorderseite;R\xFC"));
    }

    // All cards, with the edits; a failure keeps the old package and says why.
    void exportWritesAnAnkiPackage()
    {
        std::unique_ptr<CardSetDocument> document = setOf(path("anki.ql3"), {{"Frage", "Antwort"}});
        bool offered = true;
        const auto choose = [&offered](TExportDialog *choice) {
            choice->AnkiFormat->click();
            offered = choice->KastenCheck->isEnabled() || choice->HtmlCheck->isEnabled();
            choice->accept();
        };
        whenModal<TExportDialog>(choose);
        dialogs.saveAnswers.append(path("anki.apkg"));
        bool stored = false;
        WordListCommands::exportSet(
            nullptr, dialogs, document->set(), [&stored] { stored = true; }, [](int) { QFAIL("no card is visited"); });
        QVERIFY(stored && !offered && dialogs.warnings.isEmpty());
        const QByteArray written = readFile(path("anki.apkg"));
        QVERIFY(written.startsWith("PK\x03\x04"));

        whenModal<TExportDialog>(choose);
        dialogs.saveAnswers.append(path("anki.apkg"));
        CheckedFileWriter::setFailAfterBytesForTesting(10);
        WordListCommands::exportSet(
            nullptr, dialogs, document->set(), [] {}, [](int) {});
        CheckedFileWriter::setFailAfterBytesForTesting(-1);
        QCOMPARE(dialogs.warnings,
                 QStringList{QStringLiteral("Die Datei ") + path("anki.apkg") + QStringLiteral(" konnte nicht geschrieben werden.")});
        QCOMPARE(readFile(path("anki.apkg")), written);
    }

    // The web page of "Exportieren…" is the page of "Generiere HTML-Datei":
    // the checked cards, each visited as a click does.
    void exportWritesTheCheckedCardsAsAWebPage()
    {
        std::unique_ptr<CardSetDocument> document =
            setOf(path("web.ql3"), {{"Frage 1", "Antwort 1"}, {"Frage 2", "Antwort 2"}, {"Frage 3", "Antwort 3"}});
        CardSet &set = document->set();
        set.setMarked(0, true);
        set.setMarked(2, true);
        bool offered = true;
        whenModal<TExportDialog>([&offered](TExportDialog *choice) {
            choice->HtmlFormat->click();
            offered = choice->KastenCheck->isEnabled() || choice->HtmlCheck->isEnabled();
            choice->accept();
        });
        dialogs.saveAnswers.append(path("web.html"));
        QList<int> visited;
        // The last card is still being edited: selecting another stores it.
        const auto selectCard = [&](int i) {
            if (visited.isEmpty())
                set.setFront(2, rtf(QStringLiteral("Frage 3 bearbeitet")));
            visited.append(i);
        };
        WordListCommands::exportSet(
            nullptr, dialogs, set, [] { QFAIL("the page visits its cards"); }, selectCard);
        QVERIFY(!offered);
        QCOMPARE(visited, (QList<int>{0, 2}));
        QCOMPARE(dialogs.informations.size(), 1);
        QList<QByteArray> cardLines = readFile(path("web.html")).split('\n');
        cardLines.removeIf([](const QByteArray &line) { return !line.startsWith("<A HREF"); });
        QCOMPARE(cardLines.size(), 2);
        QVERIFY(cardLines[0].contains(">Frage 1</A>") && cardLines[1].contains(">Frage 3 bearbeitet</A>"));
        QVERIFY(cardLines[1].contains("drc('Antwort 3<br>' ,'Antwort')"));
    }

    void ankiPreviewFollowsTheDeckChosen()
    {
        AnkiCollection collection;
        collection.noteTypes = {
            {1,
             QStringLiteral("Einfach"),
             AnkiNoteType::Kind::Standard,
             {QStringLiteral("V"), QStringLiteral("R")},
             {{QStringLiteral("Karte 1"), 0, QStringLiteral("{{V}}"), QStringLiteral("{{FrontSide}}<hr id=answer>{{R}}")}}}};
        collection.decks = {{1, QStringLiteral("Latein")}, {2, QStringLiteral("Mathe")}};
        collection.notes = {{5, 1, {QStringLiteral("amo"), QStringLiteral("ich liebe")}, {}},
                            {6, 1, {QStringLiteral("1+1"), QStringLiteral("2")}, {}}};
        collection.cards = {{1, 5, 1, 0, 0, 0, 0}, {2, 6, 2, 0, 0, 0, 0}};
        TAnkiImportDialog preview(collection, path("paket.apkg"), 300);
        QCOMPARE(preview.StapelCombo->currentText(), QStringLiteral("Alle Stapel"));
        QCOMPARE(preview.AnzahlLabel->text(), QStringLiteral("2 Karten werden angelegt."));
        QCOMPARE(preview.setName(), QStringLiteral("paket"));
        preview.StapelCombo->setCurrentIndex(2);
        emit preview.StapelCombo->activated(2);
        QCOMPARE(preview.Vorschau->rowCount(), 1);
        QCOMPARE(preview.Vorschau->item(0, 1)->text(), QStringLiteral("2"));
        QCOMPARE(preview.setName(), QStringLiteral("Mathe"));

        // A file that is no package: the message, no preview, no set.
        writeFile(path("kaputt.apkg"), "kein Paket");
        QVERIFY(!WordListCommands::importList(nullptr, dialogs, path("kaputt.apkg"), 300));
        QCOMPARE(dialogs.warnings.size(), 1);
        QVERIFY(dialogs.warnings.constFirst().startsWith("Das Anki-Paket " + path("kaputt.apkg") + " kann nicht gelesen werden: "));
    }
};

QUILLO_GUI_TEST_MAIN(TestWordListCommands)
#include "tst_wordlistcommands.moc"
