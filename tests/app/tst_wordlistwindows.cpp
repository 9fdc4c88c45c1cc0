#include "../ModalGuard.h"
#include "../TestPictures.h"
#include "MainFormFixture.h"
#include "exchange/TExportDialog.h"
#include "exchange/TImportDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextCursor>
#include <QTextImageFormat>

// "Importieren…" and "Exportieren…" from the main window: the window of an
// imported set, and the export of the active one.
class TestWordListWindows
    : public QObject
    , MainFormFixture
{
    Q_OBJECT

private slots:
    void init() { makeForm(); }

    // What the set holds is the word list commands' test; here its window.
    // Pictures of the list come no wider than the new set's face editor.
    void importShowsTheSetInANewWindow()
    {
        writeFile(path(QStringLiteral("breit.png")), encoded(QImage(2000, 100, QImage::Format_RGB32), "PNG"));
        writeFile(path(QStringLiteral("liste.csv")), "K\xE4se;<img src=\"breit.png\">\r\nHaus;house\r\n");
        writeFile(path(QStringLiteral("liste.ql3")), "alt");
        dialogs.openAnswers.append(path(QStringLiteral("liste.csv")));
        whenModal<TImportDialog>([](TImportDialog *preview) {
            if (!preview->HtmlCheck->isChecked())
                preview->HtmlCheck->click();
            preview->ImportierenButton->click();
        });
        form->action(MainCommand::ImportWordList)->trigger();

        TMDIChild *document = form->ActiveDocument();
        QVERIFY(document);
        QCOMPARE(document->Vorderseite()->toPlainText() + QString::number(document->Kartenliste()->model()->rowCount()),
                 QString::fromUtf8("Käse2"));
        QVERIFY(document->Modified() && form->action(MainCommand::ExportWordList)->isEnabled() && dialogs.informations.isEmpty());
        QCOMPARE(document->caption(), QStringLiteral("liste_1.ql3"));

        const TMyRxRichEdit *back = document->Rueckseite();
        const qreal faceWidth = back->contentsRect().width() - 2 * back->document()->documentMargin();
        QTextCursor cursor(back->document());
        cursor.setPosition(1);
        const QTextImageFormat picture = cursor.charFormat().toImageFormat();
        QVERIFY2(qAbs(picture.width() - faceWidth) <= 1, qPrintable(QStringLiteral("%1 %2").arg(picture.width()).arg(faceWidth)));
        save();
        QVERIFY(QFile::exists(path(QStringLiteral("liste_1.ql3"))));
    }

    void droppedBadFilesMakeNoWindow()
    {
        writeFile(path(QStringLiteral("kaputt.csv")), "a;b\nnur eins\nc;d\n");
        whenModal<TImportDialog>([](TImportDialog *preview) { preview->reject(); });
        drop({path(QStringLiteral("kaputt.csv"))});
        writeFile(path(QStringLiteral("leer.txt")), "\r\n");
        drop({path(QStringLiteral("leer.txt"))});
        // A dropped Anki package goes to the same import.
        writeFile(path(QStringLiteral("kaputt.apkg")), "kein Paket");
        drop({path(QStringLiteral("kaputt.apkg"))});
        QVERIFY(form->documents().isEmpty());
        QCOMPARE(dialogs.warnings.size(), 2);
        QVERIFY(dialogs.warnings.constLast().startsWith(QStringLiteral("Das Anki-Paket ")));
    }

    // The file's lines and the web page are the word list commands' test;
    // here the edits of the card still in the editors.
    void exportWritesTheActiveSetWithItsEdits()
    {
        QVERIFY(!form->action(MainCommand::ExportWordList)->isEnabled());
        newSet(QStringLiteral("satz.ql3"), {{"K\u00e4se", "cheese"}, {"Haus", "house"}});
        whenModal<TExportDialog>([](TExportDialog *choice) {
            choice->SemikolonRadio->setChecked(true);
            choice->accept();
        });
        dialogs.saveAnswers.append(path(QStringLiteral("satz.csv")));
        form->action(MainCommand::ExportWordList)->trigger();
        QVERIFY(readFile(path(QStringLiteral("satz.csv"))).endsWith("\r\nHaus;house\r\n"));
        QVERIFY(dialogs.warnings.isEmpty());
    }
};

QUILLO_GUI_TEST_MAIN(TestWordListWindows)
#include "tst_wordlistwindows.moc"
