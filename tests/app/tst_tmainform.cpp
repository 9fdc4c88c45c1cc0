#include "../editor/ScriptedDialogs.h"

#include "cardset/ArchiveWriter.h"
#include "cardset/CardSetFile.h"
#include "editor/FindDialog.h"
#include "cardset/LegacyCardSetImport.h"
#include "editor/TMDIChild.h"
#include "app/TMainForm.h"
#include "quiz/TAbfrageForm.h"
#include "quiz/TKasten.h"
#include "editor/TVerschieben.h"
#include "editor/TMyRxRichEdit.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QImage>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTextBlock>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

class TestTMainForm : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;
    ScriptedDialogs dialogs;

    std::unique_ptr<TMainForm> makeForm()
    {
        dialogs = ScriptedDialogs();
        auto form = std::make_unique<TMainForm>();
        form->setDialogs(&dialogs);
        form->resize(1200, 800);
        form->show();
        return form;
    }
    QString path(const QString &name) const { return folder.filePath(name); }
    TMDIChild *newSet(TMainForm &form, const QString &name)
    {
        dialogs.saveAnswers.append(path(name));
        form.runCommand(QStringLiteral("FileNew1"));
        return form.ActiveDocument();
    }
    static bool enabled(TMainForm &form, const char *name)
    {
        const QString key = QString::fromLatin1(name);
        if (QAction *entry = form.action(key))
            return entry->isEnabled();
        if (QAbstractButton *button = form.toolButton(key))
            return button->isEnabled();
        qFatal("no command %s", name);
    }

    // Runs action on the modal window of type T once it is shown.
    template<typename T>
    static void whenModal(std::function<void(T *)> action)
    {
        QTimer::singleShot(10, [action] {
            if (auto *window = qobject_cast<T *>(QApplication::activeModalWidget()))
                action(window);
            else
                whenModal<T>(action);
        });
    }

private slots:
    void htmlExportWritesTheCheckedCards()
    {
        auto form = makeForm();
        TMDIChild *document = newSet(*form, QStringLiteral("web.ql3"));
        for (int i = 1; i <= 3; ++i) {
            if (i > 1)
                form->runCommand(QStringLiteral("ToolButton12"));
            document->Vorderseite()->setPlainText(QStringLiteral("Frage %1").arg(i));
            document->Rueckseite()->setPlainText(QStringLiteral("Antwort %1 <b>").arg(i));
        }
        QListWidget *list = document->Kartenliste();
        QCOMPARE(list->count(), 3);

        form->runCommand(QStringLiteral("GeneriereHTMLDatei1"));
        QCOMPARE(dialogs.warnings.size(), 1);
        QVERIFY(dialogs.warnings.constFirst().startsWith(QStringLiteral("Sie haben keine Karten ausgewählt.")));

        // The last card is still being edited: the export stores it first.
        list->item(0)->setCheckState(Qt::Checked);
        list->item(2)->setCheckState(Qt::Checked);
        const QString page = path(QStringLiteral("karten.html"));
        dialogs.saveAnswers.append(page);
        form->runCommand(QStringLiteral("GeneriereHTMLDatei1"));
        QCOMPARE(dialogs.informations.size(), 1);
        QFile file(page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QList<QByteArray> cardLines;
        for (const QByteArray &line : lines) {
            if (line.startsWith("<A HREF"))
                cardLines.append(line);
        }
        QCOMPARE(cardLines.size(), 2);
        QVERIFY(cardLines[0].contains("drc('Antwort 1 &amp;lt;b&amp;gt;<br>' ,'Antwort')"));
        QVERIFY(cardLines[0].contains(">Frage 1</A>"));
        QVERIFY(cardLines[1].contains(">Frage 3</A>"));
        QCOMPARE(list->currentRow(), 2);
    }

    void quizAsksTheEditedCardAndMarksTheSet()
    {
        auto form = makeForm();
        TMDIChild *document = newSet(*form, QStringLiteral("quiz.ql3"));
        QVERIFY(document);
        document->Vorderseite()->setPlainText(QStringLiteral("Hauptstadt von Peru?"));
        document->setModified(false);

        // Cancelling the box dialog changes nothing.
        whenModal<TKasten>([](TKasten *dialog) { dialog->reject(); });
        form->runCommand(QStringLiteral("Quiz1"));
        QVERIFY(!document->Set().Modified);

        QString asked;
        whenModal<TKasten>([&asked](TKasten *dialog) {
            whenModal<TAbfrageForm>([&asked](TAbfrageForm *quiz) {
                asked = quiz->findChild<QTextEdit *>(QStringLiteral("Abfrage"))->toPlainText();
                quiz->findChild<QAbstractButton *>(QStringLiteral("SpeedButton1"))->click();
            });
            dialog->findChild<QAbstractButton *>(QStringLiteral("SpeedButton2"))->click();
        });
        form->runCommand(QStringLiteral("Quiz1"));
        QCOMPARE(asked, QStringLiteral("Hauptstadt von Peru?"));
        QVERIFY(document->Set().Modified);
    }

    void wholeCardTravelsBetweenWindowsAndMovesByDialog()
    {
        auto form = makeForm();
        form->runCommand(QStringLiteral("GanzeKarteeinfuegen1"));
        TMDIChild *first = newSet(*form, QStringLiteral("eins.ql3"));
        first->Vorderseite()->setPlainText(QStringLiteral("Hund"));
        first->Rueckseite()->setPlainText(QStringLiteral("dog"));
        // Nothing copied yet: the card keeps its text.
        form->runCommand(QStringLiteral("GanzeKarteeinfuegen1"));
        QCOMPARE(first->Vorderseite()->toPlainText(), QStringLiteral("Hund"));
        form->runCommand(QStringLiteral("GanzeKartekopieren1"));

        TMDIChild *second = newSet(*form, QStringLiteral("zwei.ql3"));
        QCOMPARE(form->ActiveDocument(), second);
        second->Vorderseite()->setPlainText(QStringLiteral("Maus"));
        form->runCommand(QStringLiteral("ToolButton12"));
        second->Vorderseite()->setPlainText(QStringLiteral("Katze"));
        second->setModified(false);
        form->runCommand(QStringLiteral("GanzeKarteeinfuegen1"));
        QCOMPARE(second->Vorderseite()->toPlainText(), QStringLiteral("Hund"));
        QCOMPARE(second->Rueckseite()->toPlainText(), QStringLiteral("dog"));
        QVERIFY(second->Modified());
        QCOMPARE(second->Set().count(), 2);

        // The pasted card goes to the first place; the offered list has
        // both places, the current one chosen.
        QStringList offered;
        whenModal<TVerschieben>([&offered](TVerschieben *dialog) {
            for (int i = 0; i < dialog->Nummer()->count(); ++i)
                offered.append(dialog->Nummer()->itemText(i));
            offered.append(dialog->Nummer()->currentText());
            dialog->Nummer()->setCurrentIndex(0);
            dialog->findChild<QAbstractButton *>(QStringLiteral("SpeedButton1"))->click();
        });
        form->runCommand(QStringLiteral("PositionderKarteverschieben1"));
        QCOMPARE(offered, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2")}));
        QCOMPARE(second->Set().CurrentIndex, 0);
        QCOMPARE(second->Vorderseite()->toPlainText(), QStringLiteral("Hund"));

        whenModal<TVerschieben>([](TVerschieben *dialog) {
            dialog->Nummer()->setCurrentIndex(1);
            dialog->findChild<QAbstractButton *>(QStringLiteral("SpeedButton2"))->click();
        });
        form->runCommand(QStringLiteral("PositionderKarteverschieben1"));
        QCOMPARE(second->Set().CurrentIndex, 0);

        dialogs.questionAnswers = {true};
        form->runCommand(QStringLiteral("ToolButton28"));
        QCOMPARE(second->Set().count(), 1);
        QCOMPARE(first->Set().count(), 1);
        QCOMPARE(second->Vorderseite()->toPlainText(), QStringLiteral("Maus"));
    }

    void searchWalksTheCardsAndShowsThePageFound()
    {
        auto form = makeForm();
        TMDIChild *document = newSet(*form, QStringLiteral("suche.ql3"));
        const QStringList fronts = {QStringLiteral("Hauptstadt von Peru?"), QStringLiteral("Fluss"), QStringLiteral("Berg"),
                                    QStringLiteral("Lima")};
        const QStringList backs = {QStringLiteral("Lima"), QStringLiteral("Amazonas"), QStringLiteral("Aconcagua"),
                                   QStringLiteral("liegt in PERU")};
        for (int i = 0; i < 4; ++i) {
            if (i > 0)
                form->runCommand(QStringLiteral("ToolButton12"));
            document->Vorderseite()->setPlainText(fronts.at(i));
            document->Rueckseite()->setPlainText(backs.at(i));
        }
        form->runCommand(QStringLiteral("Suchen1"));
        FindDialog *find = form->findDialog();
        QVERIFY(find->isVisible());
        QVERIFY(!find->isModal());
        QVERIFY(!find->findNextButton()->isEnabled());
        find->textEdit()->setText(QStringLiteral("peru"));
        QVERIFY(find->findNextButton()->isEnabled());

        // The last card is current: the question comes at once, and the
        // first card holds the text on its front.
        document->setModified(false);
        dialogs.questionAnswers = {true};
        find->findNextButton()->click();
        QCOMPARE(dialogs.questions, QStringList{QStringLiteral("Das Ende wurde erreicht, von vorne beginnen?.")});
        QCOMPARE(document->Set().CurrentIndex, 0);
        QCOMPARE(document->Kartenliste()->currentRow(), 0);
        QCOMPARE(document->Vorderseite()->toPlainText(), fronts.at(0));
        QCOMPARE(document->shownPage(), int(TMDIChild::FrontPage));
        QVERIFY(!document->Set().Modified);

        // Next continues after the hit; the last card has it on both faces.
        find->findNextButton()->click();
        QCOMPARE(document->Set().CurrentIndex, 3);
        QCOMPARE(document->shownPage(), int(TMDIChild::BackPage));
        QCOMPARE(dialogs.questions.size(), 1);

        // Typed into the current card and not yet stored: found there, last.
        document->Rueckseite()->setPlainText(QStringLiteral("Titicacasee"));
        document->setModified(false);
        find->textEdit()->setText(QStringLiteral("cacas"));
        dialogs.questionAnswers = {true};
        find->findNextButton()->click();
        QCOMPARE(dialogs.questions.size(), 2);
        QCOMPARE(document->Set().CurrentIndex, 3);
        QCOMPARE(document->Rueckseite()->toPlainText(), QStringLiteral("Titicacasee"));
        QVERIFY(!document->Set().Modified);

        // Nowhere: after No the last card stays current and shown.
        document->selectCard(1);
        document->showPage(TMDIChild::FrontPage);
        find->textEdit()->setText(QStringLiteral("Kilimandscharo"));
        dialogs.questionAnswers = {true, false};
        find->findNextButton()->click();
        QCOMPARE(dialogs.questions.size(), 4);
        QCOMPARE(document->Set().CurrentIndex, 3);
        QCOMPARE(document->Vorderseite()->toPlainText(), fronts.at(3));
        QCOMPARE(document->shownPage(), int(TMDIChild::FrontPage));
    }

    void pictureGoesToClipboardAndTheFaceShown()
    {
        auto form = makeForm();
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(path(QStringLiteral("rot.png"))));
        QFile broken(path(QStringLiteral("kaputt.png")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("kein Bild");
        broken.close();
        QFile unknown(path(QStringLiteral("bild.xyz")));
        QVERIFY(unknown.open(QIODevice::WriteOnly));
        unknown.write("?");
        unknown.close();
        const auto clipboardPicture = [] { return qvariant_cast<QImage>(QApplication::clipboard()->mimeData()->imageData()); };

        // Without a document only the clipboard takes it.
        dialogs.pictureAnswers = {path(QStringLiteral("rot.png"))};
        form->runCommand(QStringLiteral("Bildeinfuegen1"));
        QCOMPARE(clipboardPicture().size(), QSize(40, 30));

        TMDIChild *document = newSet(*form, QStringLiteral("bild.ql3"));
        QApplication::clipboard()->setText(QStringLiteral("vorher"));
        dialogs.pictureAnswers = {path(QStringLiteral("kaputt.png")), path(QStringLiteral("bild.xyz")), QString()};
        for (int i = 0; i < 3; ++i)
            form->runCommand(QStringLiteral("ToolButton19"));
        QCOMPARE(dialogs.warnings,
                 (QStringList{QStringLiteral("Die Datei \"kaputt.png\" ist kein gültiges Bild."),
                              QStringLiteral("Unbekannte Bilddateierweiterung (.xyz)")}));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("vorher"));
        QVERIFY(document->Vorderseite()->toPlainText().isEmpty());
        QVERIFY(!document->Set().Modified);

        document->showPage(TMDIChild::BackPage);
        document->Rueckseite()->setPlainText(QStringLiteral("Flagge: "));
        document->Rueckseite()->moveCursor(QTextCursor::End);
        document->setModified(false);
        dialogs.pictureAnswers = {path(QStringLiteral("rot.png"))};
        document->findChild<QAction *>(QStringLiteral("Bildeinfuegen2"))->trigger();
        QCOMPARE(document->Rueckseite()->toPlainText(), QStringLiteral("Flagge: ") + QChar::ObjectReplacementCharacter);
        QVERIFY(document->Vorderseite()->toPlainText().isEmpty());
        QVERIFY(document->Set().Modified);
        QCOMPARE(clipboardPicture().size(), QSize(40, 30));
        // The file's PNG bytes are what the face keeps.
        document->StoreCurrentCard();
        QFile png(path(QStringLiteral("rot.png")));
        QVERIFY(png.open(QIODevice::ReadOnly));
        QVERIFY(document->Set().Backs.constFirst().toLower().contains(png.readAll().left(24).toHex()));

        document->showPage(TMDIChild::OptionsPage);
        dialogs.pictureAnswers = {path(QStringLiteral("rot.png"))};
        form->runCommand(QStringLiteral("Bildeinfuegen1"));
        QCOMPARE(document->Rueckseite()->toPlainText().count(QChar::ObjectReplacementCharacter), 1);
    }

    void objectCommandEmbedsAFileInTheFaceShown()
    {
        auto form = makeForm();
        QFile file(path(QStringLiteral("notiz.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Vokabeln Lektion 3");
        file.close();
        TMDIChild *document = newSet(*form, QStringLiteral("objekt.ql3"));
        document->showPage(TMDIChild::OptionsPage);
        dialogs.openAnswers = {file.fileName()};
        form->runCommand(QStringLiteral("Objekteinfuegen1"));
        QCOMPARE(dialogs.openAnswers.size(), 1);

        document->showPage(TMDIChild::BackPage);
        document->setModified(false);
        form->runCommand(QStringLiteral("ToolButton23"));
        QCOMPARE(document->Rueckseite()->toPlainText(), QString(QChar::ObjectReplacementCharacter));
        QVERIFY(document->Vorderseite()->toPlainText().isEmpty());
        QVERIFY(document->Set().Modified);
        document->StoreCurrentCard();
        QVERIFY(document->Set().Backs.constFirst().contains("{\\*\\objclass Package}"));
        QVERIFY(document->Set().Backs.constFirst().contains(QByteArray("Vokabeln Lektion 3").toHex()));
    }

    void commandStatesFollowTheOpenDocuments()
    {
        auto form = makeForm();
        const auto documentState = [&](bool expected) {
            for (const char *name : {"ToolButton26", "ToolButton12", "ToolButton4", "ToolButton14", "ToolButton32", "ToolButton33",
                                     "ColorPickerButton1", "ColorPickerButton2", "Speichern1", "Speichernunter1", "Quiz1"}) {
                if (enabled(*form, name) != expected)
                    return false;
            }
            return form->findChild<QWidget *>(QStringLiteral("FontCombo"))->isEnabled() == expected
                && form->findChild<QWidget *>(QStringLiteral("FontSize"))->isEnabled() == expected;
        };
        QVERIFY(documentState(false));
        QVERIFY(enabled(*form, "ToolButton1"));
        QVERIFY(enabled(*form, "ToolButton9"));
        QVERIFY(enabled(*form, "AlignLeft"));

        TMDIChild *first = newSet(*form, QStringLiteral("eins.ql3"));
        QVERIFY(first);
        QVERIFY(documentState(true));
        TMDIChild *second = newSet(*form, QStringLiteral("zwei.ql3"));
        QCOMPARE(form->documents().size(), 2);
        QCOMPARE(form->ActiveDocument(), second);

        form->runCommand(QStringLiteral("FileClose1"));
        QCOMPARE(form->documents().size(), 1);
        QVERIFY(documentState(true));
        form->runCommand(QStringLiteral("FileClose1"));
        QVERIFY(form->documents().isEmpty());
        QVERIFY(documentState(false));
        QVERIFY(enabled(*form, "ToolButton9"));
    }

    void menusAndToolbarInTheirOrder()
    {
        auto form = makeForm();
        const auto captions = [&](const char *menu) {
            QStringList list;
            for (QAction *entry : form->findChild<QMenu *>(QString::fromLatin1(menu))->actions()) {
                if (entry->objectName().startsWith(QLatin1String("WindowListEntry")))
                    continue;
                list.append(entry->isSeparator() ? QStringLiteral("-") : entry->text());
            }
            return list.join(QLatin1Char('|'));
        };
        QCOMPARE(captions("File1"), QStringLiteral("&Neu|Ö&ffnen|S&chließen|Speichern|Speichern unter|Drucken|-|Abfragen|"
                                                   "Generiere HTML-Datei|-|Optionen|-|&Beenden"));
        QCOMPARE(captions("Edit1"), QStringLiteral("&Ausschneiden|&Kopieren|&Einfügen|Als Standardfont|-|Bild einfügen|"
                                                   "Objekt einfügen|-|Suchen"));
        QCOMPARE(captions("Karten1"), QStringLiteral("Ganze Karte kopieren|Ganze Karte einfügen|Position der Karte verschieben"));
        QCOMPARE(captions("Window1"), QStringLiteral("Ü&berlappend|Hori&zontal anordnen|&Vertikal anordnen|&Alle verkleinern|"
                                                     "Alle an&ordnen"));
        QCOMPARE(captions("Help1"), QStringLiteral("&Info...|-|Anleitung"));
        QVERIFY(!form->action(QStringLiteral("GeneriereHTMLDatei1"))->isVisible());
        QCOMPARE(form->action(QStringLiteral("FileOpen1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(form->action(QStringLiteral("Suchen1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
        QCOMPARE(form->action(QStringLiteral("EditCut1"))->toolTip(), QStringLiteral("Ausschneiden"));
        QCOMPARE(form->action(QStringLiteral("EditCut1"))->statusTip(),
                 QStringLiteral("Das markierte Objekt in die Zwischenablage verschieben"));

        QStringList buttons;
        for (QWidget *control : form->findChild<QWidget *>(QStringLiteral("ToolBarRows"))->findChildren<QWidget *>()) {
            if (qobject_cast<QAbstractButton *>(control) || control->objectName() == QLatin1String("FontCombo")
                || control->objectName() == QLatin1String("FontSize"))
                buttons.append(control->objectName());
        }
        QCOMPARE(buttons.join(QLatin1Char(' ')),
                 QStringLiteral("ToolButton9 ToolButton1 ToolButton26 ToolButton12 ToolButton28 ToolButton29 ToolButton4 "
                                "ToolButton5 ToolButton7 ToolButton8 ToolButton10 ToolButton11 ToolButton14 ToolButton16 "
                                "ToolButton15 FontCombo FontSize ColorPickerButton1 ColorPickerButton2 ToolButton2 ToolButton27 "
                                "AlignLeft ToolButton20 ToolButton21 ToolButton19 ToolButton23 ToolButton24 ToolButton32 "
                                "ToolButton33"));
        QCOMPARE(form->toolButton(QStringLiteral("ToolButton9"))->statusTip(), QStringLiteral("Neue Datei erstellen"));
        QCOMPARE(form->toolButton(QStringLiteral("ToolButton32"))->toolTip(), QStringLiteral("Änderung rückgängig machen"));
        QCOMPARE(form->toolButton(QStringLiteral("ToolButton21"))->property("tag").toInt(), 1);
        QVERIFY(form->toolButton(QStringLiteral("ToolButton2"))->isHidden());
    }

    void newSetAsksForItsNameAndWritesNothing()
    {
        auto form = makeForm();
        form->runCommand(QStringLiteral("ToolButton9"));
        QCOMPARE(dialogs.saveTitles, QStringList{QStringLiteral("Wie soll die Datei später heißen?")});
        QVERIFY(form->documents().isEmpty());

        TMDIChild *document = newSet(*form, QStringLiteral("Vokabeln.ql3"));
        QVERIFY(document);
        QCOMPARE(document->windowTitle(), QStringLiteral("Vokabeln.ql3"));
        QCOMPARE(document->Kartenliste()->count(), 1);
        QCOMPARE(document->Kartenliste()->item(0)->text(), QStringLiteral("Karte 1"));
        QVERIFY(!document->Modified());
        QCOMPARE(document->Set().FileName, path(QStringLiteral("Vokabeln.ql3")));
        QCOMPARE(document->Set().AktPrintCards, 8);
        QCOMPARE(form->fileContext().PrinterOrientation, PageOrientation::Portrait);
        QVERIFY(!QFile::exists(path(QStringLiteral("Vokabeln.ql3"))));
    }

    void saveCloseAndReopenFindsEverything()
    {
        auto form = makeForm();
        TMDIChild *document = newSet(*form, QStringLiteral("runde.ql3"));
        document->Vorderseite()->setHtml(QStringLiteral("<b>Hund</b>"));
        document->Rueckseite()->setPlainText(QStringLiteral("dog"));
        form->runCommand(QStringLiteral("ToolButton12"));
        QCOMPARE(document->Set().count(), 2);
        document->Vorderseite()->setPlainText(QStringLiteral("Katze"));
        document->findChild<QLineEdit *>(QStringLiteral("KopfZeile"))->setText(QStringLiteral("Tiere"));
        document->findChild<QSpinBox *>(QStringLiteral("TextSpin"))->setValue(77);
        QVERIFY(document->Modified());

        form->runCommand(QStringLiteral("Speichern1"));
        QVERIFY(dialogs.warnings.isEmpty());
        QVERIFY(QFile::exists(path(QStringLiteral("runde.ql3"))));
        QVERIFY(!document->Modified());
        QVERIFY(enabled(*form, "ToolButton26"));
        form->runCommand(QStringLiteral("FileClose1"));
        QCOMPARE(dialogs.closeQuestions, 0);

        dialogs.openAnswers.append(path(QStringLiteral("runde.ql3")));
        form->runCommand(QStringLiteral("ToolButton1"));
        TMDIChild *reopened = form->ActiveDocument();
        QVERIFY(reopened);
        QCOMPARE(reopened->windowTitle(), QStringLiteral("runde.QL3"));
        // The file opened is the file saved next time, whatever its letter case.
        QCOMPARE(reopened->Set().FileName, path(QStringLiteral("runde.ql3")));
        QCOMPARE(reopened->Kartenliste()->count(), 2);
        QCOMPARE(reopened->Kartenliste()->currentRow(), 0);
        QCOMPARE(reopened->Vorderseite()->toPlainText(), QStringLiteral("Hund"));
        QVERIFY(reopened->Vorderseite()->document()->firstBlock().begin().fragment().charFormat().fontWeight() >= QFont::Bold);
        QCOMPARE(reopened->Rueckseite()->toPlainText(), QStringLiteral("dog"));
        reopened->selectCard(1);
        QCOMPARE(reopened->Vorderseite()->toPlainText(), QStringLiteral("Katze"));
        QCOMPARE(reopened->Set().HeaderText, QStringLiteral("Tiere"));
        QCOMPARE(reopened->Set().TextAbstand, 77);
        QVERIFY(!reopened->Modified());
        QVERIFY(enabled(*form, "Speichern1"));

        dialogs.saveAnswers.append(path(QStringLiteral("kopie.ql3")));
        form->runCommand(QStringLiteral("Speichernunter1"));
        QCOMPARE(reopened->windowTitle(), QStringLiteral("kopie.ql3"));
        QVERIFY(QFile::exists(path(QStringLiteral("kopie.ql3"))));
    }

    void loadedValuesAreShownWithinTheirRanges()
    {
        CardSet set;
        set.AddCard();
        set.RandAbstand = 0;
        set.TextAbstand = 900;
        CardSetFileContext context;
        context.WorkFilePath = path(QStringLiteral("scratch.tmp"));
        QCOMPARE(CardSetFile::SaveCardSet(set, path(QStringLiteral("grenzen.ql3")), context), CardSetFile::SaveResult::Saved);

        auto form = makeForm();
        TMDIChild *document = form->OpenDocument(path(QStringLiteral("grenzen.ql3")));
        QVERIFY(document);
        QCOMPARE(document->findChild<QSpinBox *>(QStringLiteral("RandSpin"))->value(), 1);
        QCOMPARE(document->findChild<QSpinBox *>(QStringLiteral("TextSpin"))->value(), 500);
        QCOMPARE(document->Set().RandAbstand, 1);
        QCOMPARE(document->Set().TextAbstand, 500);
        QVERIFY(!document->Modified());
    }

    void droppedCardSetsOpen()
    {
        CardSet set;
        set.AddCard();
        CardSetFileContext context;
        context.WorkFilePath = path(QStringLiteral("scratch2.tmp"));
        QCOMPARE(CardSetFile::SaveCardSet(set, path(QStringLiteral("gezogen.ql3")), context), CardSetFile::SaveResult::Saved);
        auto form = makeForm();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path(QStringLiteral("gezogen.ql3"))), QUrl::fromLocalFile(path(QStringLiteral("bild.png")))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &drop);
        QCOMPARE(form->documents().size(), 1);
        QCOMPARE(form->ActiveDocument()->windowTitle(), QStringLiteral("gezogen.QL3"));
        QVERIFY(enabled(*form, "ToolButton26"));
    }

    void failedLoadsKeepTheWindowAndSayWhy()
    {
        auto form = makeForm();
        QFile broken(path(QStringLiteral("kaputt.ql3")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("Das ist keine Kartei.");
        broken.close();
        dialogs.openAnswers.append(broken.fileName());
        form->runCommand(QStringLiteral("FileOpen1"));
        QCOMPARE(dialogs.warnings.size(), 1);
        TMDIChild *document = form->ActiveDocument();
        QVERIFY(document);
        QCOMPARE(dialogs.warnings.constFirst(), CardSetFile::loadFailedMessageWithCode(document->Set().ErrorLine));
        QVERIFY(dialogs.warnings.constFirst().contains(QStringLiteral("Fehlercode: ")));
        QCOMPARE(document->windowTitle(), QStringLiteral("Es kam zu einem Fehler beim Laden."));
        QCOMPARE(document->Kartenliste()->count(), 1);
        QVERIFY(document->Set().listsConsistent());
        QVERIFY(enabled(*form, "Speichern1"));

        // Saving a set whose name was never read asks for one.
        QVERIFY(document->Set().FileName.isEmpty());
        form->runCommand(QStringLiteral("ToolButton26"));
        QCOMPARE(dialogs.saveTitles, QStringList{QStringLiteral("Speichern unter")});

        const QString wrong = path(QStringLiteral("karten.txt"));
        QVERIFY(form->OpenDocument(wrong) == nullptr);
        QCOMPARE(dialogs.informations, QStringList{CardSetFile::messageM3(wrong)});
        QCOMPARE(form->documents().size(), 1);
    }

    void legacySetOpensUnderItsNewName()
    {
        for (const char *extension : {"QLT", "QLA"}) {
            ArchiveWriter writer(path(QStringLiteral("karten.") + QLatin1String(extension)));
            writer.appendData(QStringLiteral("C:\\TEMP\\~qla1.tmp"), "{\\rtf1 eins\\par}");
            writer.appendData(QStringLiteral("C:\\TEMP\\~qla1.tmp"), "{\\rtf1 zwei\\par}");
            writer.finish();
        }
        QFile settings(path(QStringLiteral("karten.QLI")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Data]\r\nAktPrintCards=2\r\n");
        settings.close();
        auto form = makeForm();
        TMDIChild *document = form->OpenDocument(path(QStringLiteral("karten.qla")));
        QVERIFY(document);
        QCOMPARE(document->windowTitle(), QStringLiteral("karten.QL3"));
        QCOMPARE(document->Set().FileName, path(QStringLiteral("karten.QL3")));
        QCOMPARE(dialogs.informations, QStringList{LegacyCardSetImport::importedMessage()});
        QCOMPARE(document->Kartenliste()->count(), 2);
        QCOMPARE(document->Vorderseite()->toPlainText(), QStringLiteral("eins"));
        QVERIFY(!document->Modified());
        QCOMPARE(document->findChild<QComboBox *>(QStringLiteral("AnzahlCombo"))->currentText(), QStringLiteral("2 Karten/Blatt"));

        // Without its fronts a 2.5 set fails at step 2.
        QFile::remove(path(QStringLiteral("karten.QLT")));
        form->OpenDocument(path(QStringLiteral("karten.qla")));
        QCOMPARE(dialogs.warnings.constLast(), CardSetFile::loadFailedMessageWithCode(QStringLiteral("2")));
    }

    void failedSavesSayWhereTheyStopped()
    {
        auto form = makeForm();
        TMDIChild *document = newSet(*form, QStringLiteral("fehlt/nirgends.ql3"));
        QTest::keyClicks(document->Vorderseite(), QStringLiteral("x"));
        form->runCommand(QStringLiteral("ToolButton26"));
        QCOMPARE(dialogs.warnings.size(), 1);
        QVERIFY(!document->Set().ErrorLine.isEmpty());
        QCOMPARE(dialogs.warnings.constFirst(), CardSetFile::saveFailedMessage(document->Set().ErrorLine));
        QVERIFY(document->Modified());
        QVERIFY(enabled(*form, "ToolButton26"));
        QVERIFY(enabled(*form, "Speichernunter1"));

        dialogs.saveAnswers.append(path(QStringLiteral("fehlt/auch.ql3")));
        form->runCommand(QStringLiteral("Speichernunter1"));
        QCOMPARE(dialogs.warnings.size(), 2);
        QCOMPARE(dialogs.warnings.at(1), CardSetFile::saveAsFailedMessage());
        QCOMPARE(document->windowTitle(), QStringLiteral("auch.ql3"));
    }

    void undoAndRedoActOnTheFaceShown()
    {
        auto form = makeForm();
        TMDIChild *document = newSet(*form, QStringLiteral("undo.ql3"));
        QTest::keyClicks(document->Vorderseite(), QStringLiteral("vorn"));
        QTest::keyClicks(document->Rueckseite(), QStringLiteral("hinten"));
        document->setModified(false);
        document->showPage(TMDIChild::BackPage);
        QCOMPARE(form->ActiveFace(), document->Rueckseite());
        form->runCommand(QStringLiteral("ToolButton32"));
        QVERIFY(document->Rueckseite()->toPlainText().isEmpty());
        QCOMPARE(document->Vorderseite()->toPlainText(), QStringLiteral("vorn"));
        QVERIFY(document->Modified());
        form->runCommand(QStringLiteral("ToolButton33"));
        QCOMPARE(document->Rueckseite()->toPlainText(), QStringLiteral("hinten"));

        document->showPage(TMDIChild::OptionsPage);
        QVERIFY(form->ActiveFace() == nullptr);
        form->runCommand(QStringLiteral("ToolButton32"));
        QVERIFY(document->Rueckseite()->toPlainText().isEmpty());
        document->showPage(TMDIChild::FrontPage);
        form->runCommand(QStringLiteral("ToolButton32"));
        QVERIFY(document->Vorderseite()->toPlainText().isEmpty());
    }

    void functionKeyRunsTheToolbarCommand()
    {
        auto form = makeForm();
        TMDIChild *document = newSet(*form, QStringLiteral("f1.ql3"));
        document->showPage(TMDIChild::BackPage);
        QTest::keyClick(document->Rueckseite(), Qt::Key_F1);
        QCOMPARE(document->Set().count(), 2);
        QCOMPARE(document->shownPage(), int(TMDIChild::FrontPage));
    }

    void clipboardCommandsNeedAFocusedSelection()
    {
        auto form = makeForm();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QVERIFY(!enabled(*form, "EditCopy1"));
        TMDIChild *document = newSet(*form, QStringLiteral("clip.ql3"));
        document->Vorderseite()->setFocus();
        QTest::keyClicks(document->Vorderseite(), QStringLiteral("Wort"));
        QVERIFY(!enabled(*form, "EditCut1"));
        document->Vorderseite()->selectAll();
        QVERIFY(enabled(*form, "EditCut1"));
        QVERIFY(enabled(*form, "EditCopy1"));
        form->runCommand(QStringLiteral("ToolButton4"));
        QVERIFY(document->Vorderseite()->toPlainText().isEmpty());
        QVERIFY(enabled(*form, "EditPaste1"));
        document->setModified(false);
        form->runCommand(QStringLiteral("EditPaste1"));
        QCOMPARE(document->Vorderseite()->toPlainText(), QStringLiteral("Wort"));
        QVERIFY(document->Modified());
    }

    void quittingRunsEveryCloseProtocol()
    {
        auto form = makeForm();
        TMDIChild *kept = newSet(*form, QStringLiteral("a.ql3"));
        newSet(*form, QStringLiteral("b.ql3"));
        kept->setModified(true);
        dialogs.closeAnswers = {false};
        QVERIFY(!form->close());
        QCOMPARE(form->documents(), QList<TMDIChild *>{kept});
        QVERIFY(enabled(*form, "ToolButton26"));
        dialogs.closeAnswers = {true};
        QVERIFY(form->close());
        QVERIFY(form->documents().isEmpty());
    }

    void windowMenuTilesAndLists()
    {
        auto form = makeForm();
        newSet(*form, QStringLiteral("links.ql3"));
        newSet(*form, QStringLiteral("rechts.ql3"));
        form->runCommand(QStringLiteral("WindowTileVertical1"));
        const QList<QMdiSubWindow *> windows = form->mdiArea()->subWindowList(QMdiArea::CreationOrder);
        QCOMPARE(windows.size(), 2);
        QCOMPARE(windows.at(0)->geometry().top(), windows.at(1)->geometry().top());
        QVERIFY(windows.at(0)->geometry().right() < windows.at(1)->geometry().left());
        form->runCommand(QStringLiteral("WindowTileHorizontal1"));
        QCOMPARE(windows.at(0)->geometry().left(), windows.at(1)->geometry().left());
        QVERIFY(windows.at(0)->geometry().bottom() < windows.at(1)->geometry().top());
        form->runCommand(QStringLiteral("WindowMinimizeAll1"));
        QVERIFY(windows.at(0)->isMinimized() && windows.at(1)->isMinimized());

        QMenu *menu = form->findChild<QMenu *>(QStringLiteral("Window1"));
        emit menu->aboutToShow();
        QAction *first = menu->findChild<QAction *>(QStringLiteral("WindowListEntry1"));
        QVERIFY(first);
        QCOMPARE(first->text(), QStringLiteral("&1 links.ql3"));
        first->trigger();
        QCOMPARE(form->mdiArea()->currentSubWindow(), windows.at(0));
        QVERIFY(!windows.at(0)->isMinimized());
    }
};

QTEST_MAIN(TestTMainForm)
#include "tst_tmainform.moc"
