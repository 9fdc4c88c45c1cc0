#include "MainFormFixture.h"

#include "app/TExportDialog.h"
#include "app/TImportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestWordListCommands
    : public QObject
    , MainFormFixture
{
    Q_OBJECT

private slots:
    void init() { makeForm(); }

    void importMakesAnUnsavedSetAfterThePreview()
    {
        writeFile(path(QStringLiteral("liste.csv")), "Frage;Antwort;Kasten\r\nK\xE4se;cheese;3\r\nHaus;house;x\r\n");
        // A set of that name stays as it is.
        writeFile(path(QStringLiteral("liste.ql3")), "alt");
        dialogs.openAnswers.append(path(QStringLiteral("liste.csv")));
        QString shown;
        whenModal<TImportDialog>([&shown](TImportDialog *preview) {
            shown = preview->TrennzeichenCombo->currentText() + QLatin1Char(' ') + preview->ZeichensatzCombo->currentText()
                + QLatin1Char(' ') + preview->AnzahlLabel->text();
            preview->ImportierenButton->click();
        });
        form->action(MainCommand::ImportWordList)->trigger();
        QCOMPARE(shown, QStringLiteral("Semikolon Windows-1252 2 Karten werden angelegt."));

        TMDIChild *document = form->ActiveDocument();
        QVERIFY(document);
        QCOMPARE(document->Kartenliste()->model()->rowCount(), 2);
        QCOMPARE(document->Vorderseite()->toPlainText(), QString::fromUtf8("Käse"));
        QCOMPARE(document->Rueckseite()->toPlainText(), QStringLiteral("cheese"));
        QCOMPARE(document->Set().box(0), 3);
        QCOMPARE(document->Set().box(1), 1);
        QVERIFY(document->Modified());
        QCOMPARE(document->caption(), QStringLiteral("liste_1.ql3"));
        QVERIFY(form->action(MainCommand::ExportWordList)->isEnabled());

        save();
        QCOMPARE(readFile(path(QStringLiteral("liste.ql3"))), QByteArray("alt"));
        QVERIFY(QFile::exists(path(QStringLiteral("liste_1.ql3"))));
    }

    void badListsMakeNothing()
    {
        writeFile(path(QStringLiteral("kaputt.csv")), "a;b\nnur eins\nc;d\n");
        QString shown;
        whenModal<TImportDialog>([&shown](TImportDialog *preview) {
            shown = preview->AnzahlLabel->text() + (preview->ImportierenButton->isEnabled() ? " (aktiv)" : "");
            preview->reject();
        });
        drop({path(QStringLiteral("kaputt.csv"))});
        QCOMPARE(shown, QStringLiteral("Zeile 2: Die Zeile hat nur ein Feld; eine Karte braucht Vorder- und Rückseite."));
        QVERIFY(form->documents().isEmpty());

        // No choice helps an empty list: no preview.
        writeFile(path(QStringLiteral("leer.txt")), "\r\n");
        drop({path(QStringLiteral("leer.txt"))});
        QVERIFY(form->documents().isEmpty());
        QCOMPARE(dialogs.warnings.size(), 1);
        QVERIFY(dialogs.warnings.constFirst().contains(QStringLiteral("Die Datei enthält keine Karten.")));
    }

    void exportWritesTheActiveSetWithItsEdits()
    {
        QVERIFY(!form->action(MainCommand::ExportWordList)->isEnabled());
        newSet(QStringLiteral("satz.ql3"), {{"K\u00e4se", "cheese"}, {"Haus", "house"}});
        whenModal<TExportDialog>([](TExportDialog *choice) {
            choice->SemikolonRadio->setChecked(true);
            choice->KastenCheck->setChecked(true);
            choice->accept();
        });
        dialogs.saveAnswers.append(path(QStringLiteral("satz.csv")));
        form->action(MainCommand::ExportWordList)->trigger();
        QCOMPARE(readFile(path(QStringLiteral("satz.csv"))),
                 QByteArray("Vorderseite;R\xFC"
                            "ckseite;Kasten\r\nK\xE4se;cheese;1\r\nHaus;house;1\r\n"));
        QVERIFY(dialogs.warnings.isEmpty());
    }
};

QUILLO_GUI_TEST_MAIN(TestWordListCommands)
#include "tst_wordlistcommands.moc"
