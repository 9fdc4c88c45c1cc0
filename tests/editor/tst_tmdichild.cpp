#include "../BoxedSet.h"
#include "../ModalGuard.h"
#include "../TestPictures.h"
#include "../TestPrinter.h"
#include "ScriptedDialogs.h"

#include "cardset/ScratchFile.h"
#include "editor/TMDIChild.h"
#include "editor/TMyRxRichEdit.h"
#include "editor/TSchliesForm.h"
#include "richtext/FacePictures.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <functional>

// The document window alone; what the main window's commands do with it is
// the main window's test.
class TestTMDIChild : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;
    CardSetFileContext context{ScratchFile::makeWorkFilePath(folder.path()), PageOrientation::Portrait};
    QPrinter printer;
    ScriptedDialogs dialogs;

    std::unique_ptr<QAbstractItemModelTester> modelTester;

    // A saved set of `count` cards whose fronts read "Frage 1", "Frage 2",
    // ... and whose boxes are 1, 2, 3, 4, 1, ...; with no count a new set
    // as made. The card list is checked for every change it follows.
    std::unique_ptr<TMDIChild> makeWindow(int count = 0)
    {
        dialogs = ScriptedDialogs();
        auto window = std::make_unique<TMDIChild>(CardSetDocument::createNew(folder.filePath(QStringLiteral("karten.ql3"))), context,
                                                  &printer, &dialogs);
        window->showDocument();
        modelTester = std::make_unique<QAbstractItemModelTester>(window->Kartenliste()->model(),
                                                                 QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                window->AddCard();
            window->Vorderseite()->setPlainText(QStringLiteral("Frage %1").arg(i + 1));
            window->Rueckseite()->setPlainText(QStringLiteral("Antwort %1").arg(i + 1));
        }
        if (count > 0) {
            window->StoreCurrentCard();
            for (int i = 0; i < count; ++i)
                window->Set().setBox(i, 1 + i % 4);
            CardSetFile::SaveCardSet(window->Set(), window->Set().FileName(), context);
        }
        return window;
    }
    // Saving is what makes a changed set unmodified again.
    void save(TMDIChild &window)
    {
        QVERIFY(window.document().save(window.Set().FileName(), context, [&window] { window.StoreCurrentCard(); }).ok()
                && !window.Modified());
    }
    static QStringList labels(const TMDIChild &window)
    {
        QStringList result;
        for (int i = 0; i < window.Kartenliste()->model()->rowCount(); ++i)
            result.append(window.Kartenliste()->model()->index(i, 0).data().toString());
        return result;
    }
    static Qt::CheckState mark(const TMDIChild &window, int row)
    {
        return window.Kartenliste()->model()->index(row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>();
    }
    static QString faces(const TMDIChild &window) { return window.Vorderseite()->toPlainText() + '|' + window.Rueckseite()->toPlainText(); }
    static QTextCharFormat firstFormat(const QTextEdit &edit) { return edit.document()->firstBlock().begin().fragment().charFormat(); }
    // The size of the picture the face shows first, invalid if none.
    static QSize firstPicture(const QTextEdit &edit)
    {
        const QTextCharFormat shown = firstFormat(edit);
        if (!shown.isImageFormat())
            return QSize();
        return edit.document()->resource(QTextDocument::ImageResource, QUrl(shown.toImageFormat().name())).value<QImage>().size();
    }

private slots:
    void initTestCase() { printToPdf(printer, folder.filePath(QStringLiteral("drucker.pdf"))); }

    void switchingCardsKeepsEditsAndLeavesModifiedAlone()
    {
        auto window = makeWindow();
        window->Vorderseite()->setPlainText(QStringLiteral("Frage eins"));
        window->Rueckseite()->setPlainText(QStringLiteral("Antwort eins"));
        window->AddCard();
        QCOMPARE(labels(*window), (QStringList{"Karte 1", "Karte 2"}));
        QCOMPARE(QString::number(window->selectedCard()) + faces(*window), QStringLiteral("1|"));
        window->Vorderseite()->setPlainText(QStringLiteral("Frage zwei"));

        save(*window);
        window->Kartenliste()->setCurrentIndex(window->Kartenliste()->model()->index(0, 0)); // as a click does
        QCOMPARE(QString::number(window->Set().CurrentIndex()) + faces(*window), QStringLiteral("0Frage eins|Antwort eins"));
        window->selectCard(1);
        QCOMPARE(window->Vorderseite()->toPlainText(), QStringLiteral("Frage zwei"));
        QVERIFY(!window->Modified());
    }

    void newCardsTypeInTheStandardFonts()
    {
        auto window = makeWindow();
        FontRecord standard = window->Set().StandardFontBack();
        standard.Name = QStringLiteral("Courier New");
        standard.Bold = true;
        standard.Color = StoredColor::fromRgb(0, 0, 255);
        window->Set().setStandardFontBack(standard);
        window->AddCard();
        QTest::keyClicks(window->Vorderseite(), QStringLiteral("vorn"));
        QTest::keyClicks(window->Rueckseite(), QStringLiteral("hinten"));
        const QFont front = firstFormat(*window->Vorderseite()).font();
        QCOMPARE(front.family() + QString::number(front.pointSize()), QStringLiteral("Arial12"));
        const QTextCharFormat back = firstFormat(*window->Rueckseite());
        QCOMPARE(back.font().family() + QString::number(back.font().bold()) + back.foreground().color().name(),
                 QStringLiteral("Courier New1#0000ff"));
    }

    void untouchedFacesKeepTheirBytes()
    {
        auto window = makeWindow();
        const QByteArray foreign = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Hallo\\par\r\n}\r\n";
        window->Set().setFront(0, foreign);
        window->ShowCurrentCard();
        window->AddCard();
        window->selectCard(0);
        window->selectCard(1);
        QCOMPARE(window->Set().front(0), foreign);
        // "Ganze Karte kopieren" takes them as they are
        window->selectCard(0);
        QByteArray front, back;
        window->copyWholeCard(front, back);
        QCOMPARE(front, foreign);
    }

    void wholeCardPasteIsUndoneOnBothFaces()
    {
        auto window = makeWindow();
        // Paragraph formats and marks must come back as well as the text.
        const QByteArray front = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}}\\pard\\qc\\f0\\fs24 Frage {\\b fett}\\par"
                                 "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
                                 "\\fi-200\\li200\\fs40 gross\\fs24\\par}";
        const QByteArray back = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\pard\\qr\\f0\\fs30 Antwort\\fs16\\par}";
        window->Set().setFront(0, front);
        window->Set().setBack(0, back);
        window->ShowCurrentCard();
        const QByteArray shownFront = window->Vorderseite()->saveRtf();
        const QByteArray shownBack = window->Rueckseite()->saveRtf();
        const QByteArray copied = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs20 Kopie\\par\\pard\\qc zwei\\par}";

        window->pasteWholeCard(copied, QByteArray());
        QCOMPARE(faces(*window), QStringLiteral("Kopie\nzwei|"));
        QVERIFY(window->Modified());
        QTest::keyClick(window->Rueckseite(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window->Vorderseite()->saveRtf() + '|' + window->Rueckseite()->saveRtf(), shownFront + '|' + shownBack);
        window->StoreCurrentCard();
        QCOMPARE(window->Set().front(0) + '|' + window->Set().back(0), front + '|' + back);

        // Redone from the front, both again; typing in the back after it
        // stays when the front's paste is undone.
        window->showPage(TMDIChild::FrontPage);
        window->redoInFace();
        QCOMPARE(faces(*window), QStringLiteral("Kopie\nzwei|"));
        QTest::keyClicks(window->Rueckseite(), QStringLiteral("neu"));
        window->undoInFace();
        QCOMPARE(faces(*window), QStringLiteral("Frage fett\ngross|neu"));
    }

    // Typing, a new card, Undo (even with nothing to undo) and every option
    // control mark the set; the controls write their settings.
    void editsAndOptionControlsMarkTheSet()
    {
        auto window = makeWindow();
        const auto marks = [&](const std::function<void()> &change) {
            save(*window);
            change();
            return window->Modified();
        };
        QVERIFY(marks([&] { window->undoInFace(); }));
        QVERIFY(marks([&] { QTest::keyClicks(window->Vorderseite(), QStringLiteral("a")); }));
        QVERIFY(marks([&] { window->AddCard(); }));
        QVERIFY(marks([&] { child<QLineEdit>(*window, "KopfZeile")->setText(QStringLiteral("Vokabeln")); }));
        QVERIFY(marks([&] { child<QLineEdit>(*window, "CopyEdit")->setText(QStringLiteral("(c) Anna")); }));
        for (auto [spin, value] : {std::pair{"RandSpin", 999}, {"TextSpin", 77}, {"ObenSpin", 5}, {"LinksSpin", -7}})
            QVERIFY2(marks([&] { child<QSpinBox>(*window, spin)->setValue(value); }), spin);
        for (const char *box : {"KNummer", "WebCheck", "TitelDrucken", "SchnittKantenDrucken"})
            QVERIFY2(marks([&] { child<QCheckBox>(*window, box)->click(); }), box);
        QVERIFY(marks([&] { emit child<QComboBox>(*window, "AnzahlCombo")->activated(0); }));
        QVERIFY(marks([&] { child<QToolButton>(*window, "Ausrichtung")->click(); }));

        const PrintOptions &set = window->Set().printOptions();
        QCOMPARE(set.HeaderText + '|' + set.Copyright, QStringLiteral("Vokabeln|(c) Anna"));
        QCOMPARE((QList<int>{set.RandAbstand, set.TextAbstand, set.HeaderMargins.Left, set.AktPrintCards}), (QList<int>{200, 77, -7, 1}));
        QCOMPARE(set.PrintKopfZeile, child<QCheckBox>(*window, "TitelDrucken")->isChecked());
        QCOMPARE(set.PrintFadenkreuz, child<QCheckBox>(*window, "SchnittKantenDrucken")->isChecked());
        QVERIFY(context.PrinterOrientation == PageOrientation::Landscape && printer.pageLayout().orientation() == QPageLayout::Landscape);
        QCOMPARE(window->orientationPicture(), QStringLiteral("querkant.bmp"));
    }

    void closeQuestionDialog()
    {
        TSchliesForm form;
        whenModal<TSchliesForm>([](TSchliesForm *shown) { shown->findChild<QPushButton *>(QStringLiteral("JaButton"))->click(); });
        QCOMPARE(form.exec(), int(QDialog::Accepted));
        whenModal<TSchliesForm>([](TSchliesForm *shown) { shown->findChild<QPushButton *>(QStringLiteral("NeinButton"))->click(); });
        QCOMPARE(form.exec(), int(QDialog::Rejected));
    }

    void pickedTabsTakeTheFocus()
    {
        auto window = makeWindow();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->Kartenliste()->setFocus();
        QTabBar *tabs = window->Pages()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(TMDIChild::BackPage).center());
        QCOMPARE(window->shownPage(), int(TMDIChild::BackPage));
        QCOMPARE(QApplication::focusWidget(), window->Rueckseite());

        window->Kartenliste()->setFocus();
        window->showPage(TMDIChild::FrontPage); // by a command: the focus stays where it was
        QCOMPARE(QApplication::focusWidget(), window->Kartenliste());
    }

    void loadedSetIsShownWithItsValues()
    {
        // Three cards, one box number: the others in box 1.
        const QString file = folder.filePath(QStringLiteral("halb.ql3"));
        // Stored values are shown as stored or as they print, without a change.
        writeSetFile(
            file,
            "[Data]\r\nRandAbstand=0\r\nTextAbstand=900\r\nAktPrintCards=5\r\ntitelProzent=33\r\nKopfzeile=Kopf\r\nPrintCR=1\r\nPO=1\r\n",
            "3\r\n",
            {"{\\rtf1 eins\\par}", "{\\rtf1 zwei\\par}", "{\\rtf1 drei\\par}", "{\\rtf1 one\\par}", "{\\rtf1 two\\par}",
             "{\\rtf1 three\\par}"});
        CardSetDocument::Opened opened = CardSetDocument::open(file, context);
        QVERIFY(opened.result.ok());
        TMDIChild window(std::move(opened.document), context, &printer, &dialogs);
        window.showDocument();
        QCOMPARE(labels(window), (QStringList{"Karte 1", "Karte 2", "Karte 3"}));
        QCOMPARE(QString::number(window.Set().CurrentIndex()) + QString::number(window.selectedCard()) + faces(window),
                 QStringLiteral("00eins|one"));
        QCOMPARE((QList<int>{child<QSpinBox>(window, "RandSpin")->value(), child<QSpinBox>(window, "TextSpin")->value(),
                             child<QComboBox>(window, "AnzahlCombo")->currentIndex(), child<QCheckBox>(window, "CopyRCheck")->isChecked()}),
                 (QList<int>{1, 500, 2, 1}));
        QCOMPARE(child<QLineEdit>(window, "KopfZeile")->text() + child<QLabel>(window, "titelPanel")->text() + window.orientationPicture(),
                 QStringLiteral("Kopf33 %querkant.bmp"));
        QVERIFY(!window.Modified());
        context.PrinterOrientation = PageOrientation::Portrait;

        // A file without cards still shows one.
        const QString none = folder.filePath(QStringLiteral("leer.ql3"));
        writeSetFile(none, QByteArray(), QByteArray(), {});
        TMDIChild emptyWindow(CardSetDocument::open(none, context).document, context, &printer, &dialogs);
        emptyWindow.showDocument();
        QCOMPARE(emptyWindow.Set().count() + labels(emptyWindow).size(), 2);
        QVERIFY(!emptyWindow.Modified());
    }

    void titleShowsTheModifiedMark()
    {
        auto window = makeWindow();
        window->setCaption(QStringLiteral("a[*]b.ql3"));
        QVERIFY(window->caption() == QStringLiteral("a[*]b.ql3") && !window->isWindowModified());
        QTest::keyClicks(window->Vorderseite(), QStringLiteral("x"));
        QVERIFY(window->isWindowModified());
        save(*window);
        QVERIFY(!window->isWindowModified());
    }

    void dialogFiltersAndMessageLines()
    {
        QCOMPARE(UserDialogs::qtFilter(QStringLiteral("Quillo - Dateien (*.ql3;*.qla)|*.ql3;*.qla|Alle Dateien (*.*)|*.*")),
                 QStringLiteral("Quillo - Dateien (*.ql3 *.qla);;Alle Dateien (*)"));
        QCOMPARE(UserDialogs::displayText(QStringLiteral("a\rb\r\rc\r\nd")), QStringLiteral("a\nb\n\nc\nd"));
    }

    void clipboardKeepsPicturesAndOffersRtfHtmlAndText()
    {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::blue);
        // Copied between faces, a JPEG is written back as it was, not re-encoded.
        const QByteArray jpeg = encoded(image, "JPEG");
        TMyRxRichEdit source;
        QTextCursor cursor = source.textCursor();
        QString error;
        QVERIFY(FacePictures::insertFile(cursor, jpeg, QStringLiteral("bild.jpg"), 0, &error));
        source.selectAll();
        source.copy();
        TMyRxRichEdit copy;
        copy.paste();
        QVERIFY(copy.saveRtf().replace("\r\n", "").replace('\n', "").toLower().contains(jpeg.toHex()));
        QCOMPARE(firstPicture(copy), QSize(8, 6));

        TMyRxRichEdit editor;
        editor.setHtml(QStringLiteral("<b>fett</b>"));
        editor.selectAll();
        editor.copy();
        const QMimeData *data = QApplication::clipboard()->mimeData();
        QVERIFY(data->hasHtml() && data->hasText() && data->data(QStringLiteral("text/rtf")).startsWith("{\\rtf1"));

        struct PasteProbe : TMyRxRichEdit
        {
            using TMyRxRichEdit::canInsertFromMimeData;
            using TMyRxRichEdit::insertFromMimeData;
        } target;
        QMimeData pasted;
        pasted.setHtml(QStringLiteral("<span style=\"color:#ff0000; font-weight:bold\">rot</span>"));
        pasted.setText(QStringLiteral("rot"));
        QApplication::clipboard()->setMimeData(new QMimeData);
        target.insertFromMimeData(&pasted);
        QVERIFY(firstFormat(target).foreground().color() == QColor(255, 0, 0) && firstFormat(target).fontWeight() >= QFont::Bold);

        QMimeData picture;
        picture.setImageData(image);
        picture.setHtml(QStringLiteral("<img src=\"https://example.org/bild.png\">"));
        const auto pastedPicture = [&target](const QMimeData &offered) {
            target.clear();
            target.insertFromMimeData(&offered);
            return firstPicture(target);
        };
        QCOMPARE(pastedPicture(picture), QSize(8, 6));

        // Picture files dropped from the file manager; card set files are not for the face.
        const QString file = folder.filePath(QStringLiteral("blau.png"));
        QVERIFY(image.save(file));
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(file)});
        QVERIFY(target.canInsertFromMimeData(&dropped));
        QCOMPARE(pastedPicture(dropped), QSize(8, 6));
        QMimeData cardSet;
        cardSet.setUrls({QUrl::fromLocalFile(folder.filePath(QStringLiteral("satz.ql3")))});
        QVERIFY(!target.canInsertFromMimeData(&cardSet));

        // A picture inside pasted HTML, as browsers and word processors give it.
        QMimeData page;
        page.setHtml(QStringLiteral("<p>Bild: <img src=\"data:image/png;base64,") + QString::fromLatin1(encoded(image, "PNG").toBase64())
                     + QStringLiteral("\"></p>"));
        target.clear();
        target.insertFromMimeData(&page);
        TMyRxRichEdit reread;
        reread.loadRtf(target.saveRtf());
        QCOMPARE(reread.toPlainText(), QStringLiteral("Bild: ") + QChar::ObjectReplacementCharacter);
    }

    // Deleting asks first; the only card gives way to a fresh one, others
    // close up and the first is shown.
    void deletingAsksAndRenumbers()
    {
        auto window = makeWindow(1);
        QVERIFY(!window->DeleteCard());
        QCOMPARE(dialogs.questions, QStringList{QStringLiteral("Soll die Karteikarte wirklich gelöscht werden?")});
        QCOMPARE(window->Vorderseite()->toPlainText(), QStringLiteral("Frage 1"));
        QVERIFY(!window->Modified());

        dialogs.questionAnswers = {true};
        QVERIFY(window->DeleteCard());
        QCOMPARE(labels(*window), QStringList{QStringLiteral("Karte 1")});
        QCOMPARE(boxesOf(window->Set()), QList<qint32>{1});
        QCOMPARE(QString::number(window->Set().CurrentIndex()) + faces(*window), QStringLiteral("0|"));
        window->StoreCurrentCard();
        QVERIFY(window->Modified());
        QVERIFY(!window->Set().front(0).contains("Frage"));

        window = makeWindow(5);
        window->selectCard(2);
        // Typed into the card being deleted: discarded, stored nowhere.
        window->Vorderseite()->setPlainText(QStringLiteral("verworfen"));
        dialogs.questionAnswers = {true};
        QVERIFY(window->DeleteCard());
        QCOMPARE(labels(*window), (QStringList{"Karte 1", "Karte 2", "Karte 3", "Karte 4"}));
        QCOMPARE(boxesOf(window->Set()), (QList<qint32>{1, 2, 4, 1}));
        QCOMPARE(QString::number(window->Set().CurrentIndex()) + QString::number(window->selectedCard()) + faces(*window),
                 QStringLiteral("00Frage 1|Antwort 1"));
        QVERIFY(window->Modified());
        window->selectCard(2);
        QCOMPARE(faces(*window), QStringLiteral("Frage 4|Antwort 4"));
        for (int i = 0; i < window->Set().count(); ++i)
            QVERIFY(!window->Set().front(i).contains("verworfen"));
    }

    // Which cards move where is the card set's test.
    void movingShowsTheCardAtItsNewPlace()
    {
        auto window = makeWindow(5);
        window->selectCard(1);
        window->moveCurrentCardTo(1);
        QVERIFY(!window->Modified());
        window->moveCurrentCardTo(4);
        QVERIFY(window->Modified());
        QCOMPARE(QString::number(window->selectedCard()) + window->Vorderseite()->toPlainText(), QStringLiteral("4Frage 2"));
        window->selectCard(1);
        QCOMPARE(faces(*window), QStringLiteral("Frage 3|Antwort 3"));
    }

    // Marks and browsing leave the set unmodified; "Löschen" deletes in the
    // face shown last.
    void popupMarksAndDeletes()
    {
        auto window = makeWindow(3);
        QVERIFY(window->Kartenliste()->model()->setData(window->Kartenliste()->model()->index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(window->Set().markedCards(), QList<int>{1});
        window->ShowCurrentCard();
        window->StoreCurrentCard();
        window->showPage(TMDIChild::OptionsPage);
        window->selectCard(2);
        child<QAction>(*window, "KeinenEintragselektieren1")->trigger();
        child<QAction>(*window, "Vonhierabselektieren1")->trigger();
        QCOMPARE((QList<Qt::CheckState>{mark(*window, 1), mark(*window, 2)}), (QList<Qt::CheckState>{Qt::Unchecked, Qt::Checked}));
        child<QAction>(*window, "AlleEintraegeselektieren1")->trigger();
        window->selectCard(1);
        child<QAction>(*window, "Vonhieramdeselektieren1")->trigger();
        QCOMPARE(window->Set().markedCards(), QList<int>{0});
        QVERIFY(!window->Modified());

        // "Löschen" from the options page
        window->showPage(TMDIChild::BackPage);
        window->showPage(TMDIChild::OptionsPage);
        window->Rueckseite()->selectAll();
        child<QAction>(*window, "Loeschen1")->trigger();
        QCOMPARE(faces(*window), QStringLiteral("Frage 2|"));
        QVERIFY(window->Modified());
    }
};

QUILLO_GUI_TEST_MAIN(TestTMDIChild)
#include "tst_tmdichild.moc"
