#include "../BoxedSet.h"
#include "../TestPictures.h"
#include "MainFormFixture.h"
#include "history/TLernstandForm.h"

#include "app/WindowTiling.h"
#include "editor/FindDialog.h"
#include "editor/TVerschieben.h"
#include "quiz/TAbfrageForm.h"
#include "quiz/TKasten.h"

#include <QClipboard>
#include <QDateTime>
#include <QFontComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegion>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTextList>

class TestTMainForm
    : public QObject
    , MainFormFixture
{
    Q_OBJECT

private:
    static int rows(const TMDIChild &window) { return window.Kartenliste()->model()->rowCount(); }
    static QString faces(const TMDIChild *window) { return window->Vorderseite()->toPlainText() + window->Rueckseite()->toPlainText(); }
    // A saved set whose front reads "Hallo Welt" and back "Antwort", the front page shown.
    TMDIChild *formattedSet()
    {
        TMDIChild *document = newSet(QStringLiteral("format.ql3"), {{"Hallo Welt", "Antwort"}});
        save();
        return document;
    }
    // Selects characters [from, to) of the face.
    static void select(TMyRxRichEdit *face, int from, int to)
    {
        QTextCursor cursor = face->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        face->setTextCursor(cursor);
    }
    static QTextCharFormat formatAt(TMyRxRichEdit *face, int position)
    {
        QTextCursor cursor(face->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }
    // A family other than Arial, the standard font's.
    QString otherFamily() const { return form->fontCombo()->itemText(form->fontCombo()->itemText(0) == QLatin1String("Arial") ? 1 : 0); }

private slots:
    void init() { makeForm(); }

    void htmlExportWritesTheCheckedCards()
    {
        TMDIChild *document = newSet(QStringLiteral("web.ql3"), {{"Frage 1", "Antwort 1"}, {"Frage 2"}, {"Frage 3"}});
        form->action(MainCommand::ExportHtml)->trigger();
        QVERIFY(dialogs.warnings.value(0).startsWith(QStringLiteral("Sie haben keine Karten ausgewählt.")));
        // The last card is still being edited: the export stores it first.
        document->Set().setMarked(0, true);
        document->Set().setMarked(2, true);
        dialogs.saveAnswers.append(path(QStringLiteral("karten.html")));
        form->action(MainCommand::ExportHtml)->trigger();
        QVERIFY(dialogs.informations.size() == 1 && document->selectedCard() == 2);
        const QByteArray page = readFile(path(QStringLiteral("karten.html")));
        QVERIFY(page.count("<A HREF") == 2 && page.contains(">Frage 1</A>") && page.contains(">Frage 3</A>"));
    }

    void quizAsksTheEditedCardAndMarksTheSet()
    {
        TMDIChild *document = newSet(QStringLiteral("quiz.ql3"), {{"Hauptstadt von Peru?"}});
        save();
        QString asked;
        whenModal<TKasten>([&asked](TKasten *dialog) {
            whenModal<TAbfrageForm>([&asked](TAbfrageForm *quiz) {
                asked = quiz->Abfrage->toPlainText();
                quiz->SpeedButton1->click();
            });
            dialog->SpeedButton2->click();
        });
        form->action(MainCommand::Quiz)->trigger();
        QCOMPARE(asked + QString::number(document->Set().Modified()), QStringLiteral("Hauptstadt von Peru?1"));
    }

    // "Lernverlauf löschen" asks first, and asks nothing of a set without
    // a history.
    void clearingTheHistoryAsksFirst()
    {
        CardSet &set = newSet(QStringLiteral("verlauf.ql3"), {{"Frage"}})->Set();
        QAction *clear = form->action(MainCommand::ClearHistory);
        QVERIFY(form->findChild<QMenu *>(QStringLiteral("Karten1"))->actions().contains(clear) && clear->isEnabled());
        clear->trigger();
        QVERIFY(dialogs.questions.isEmpty());
        set.recordAnswer(0, LearningAnswer::Mode::Review, true, 1, 2, QDateTime::currentSecsSinceEpoch());
        save();
        dialogs.questionAnswers = {false, true};
        clear->trigger();
        QVERIFY(!set.history().isEmpty() && !set.Modified());
        clear->trigger();
        QVERIFY(set.history().isEmpty() && set.Modified());
        QCOMPARE(dialogs.questions,
                 QStringList(2, QStringLiteral("Soll der Lernverlauf dieser Kartei gelöscht werden? Die Karten bleiben erhalten.")));
    }

    void wholeCardTravelsBetweenWindowsAndMovesByDialog()
    {
        form->action(MainCommand::PasteCard)->trigger();
        TMDIChild *first = newSet(QStringLiteral("eins.ql3"), {{"Hund", "dog"}});
        // Nothing copied yet: the card keeps its text.
        form->action(MainCommand::PasteCard)->trigger();
        QCOMPARE(first->Vorderseite()->toPlainText(), QStringLiteral("Hund"));
        // From the face's popup, the card as edited, not yet stored.
        QVERIFY(first->findChild<QMenu *>(QStringLiteral("Popup"))->actions().contains(form->action(MainCommand::CopyCard)));
        form->action(MainCommand::CopyCard)->trigger();

        TMDIChild *second = newSet(QStringLiteral("zwei.ql3"), {{"Maus"}, {"Katze"}});
        second->Set().setBox(1, 3);
        save();
        form->action(MainCommand::PasteCard)->trigger();
        QVERIFY(faces(second) == QLatin1String("Hunddog") && second->Modified());
        // One undo key in the face takes back both faces, redo brings both.
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        second->Vorderseite()->setFocus();
        QTest::keySequence(second->Vorderseite(), QKeySequence::Undo);
        QCOMPARE(faces(second), QStringLiteral("Katze"));
        QTest::keySequence(second->Vorderseite(), QKeySequence::Redo);
        QCOMPARE(faces(second), QStringLiteral("Hunddog"));
        QVERIFY(second->Set().count() == 2 && second->Set().box(1) == 3);

        // The pasted card goes to the first place; the offered list has
        // both places, the current one chosen. Cancelling moves nothing.
        QString offered;
        const auto moveTo = [&](int index, const char *button) {
            whenModal<TVerschieben>([&](TVerschieben *dialog) {
                for (int i = 0; i < dialog->Nummer()->count(); ++i)
                    offered += dialog->Nummer()->itemText(i);
                offered += dialog->Nummer()->currentText();
                dialog->Nummer()->setCurrentIndex(index);
                dialog->findChild<QAbstractButton *>(QLatin1String(button))->click();
            });
            form->action(MainCommand::MoveCard)->trigger();
            return second->Vorderseite()->toPlainText() + QString::number(second->Set().CurrentIndex());
        };
        QCOMPARE(moveTo(0, "SpeedButton1"), QStringLiteral("Hund0"));
        QCOMPARE(offered, QStringLiteral("122"));
        QCOMPARE(moveTo(1, "SpeedButton2"), QStringLiteral("Hund0"));

        dialogs.questionAnswers = {true};
        form->button(MainCommand::DeleteCard)->click();
        QVERIFY(second->Set().count() == 1 && first->Set().count() == 1 && faces(second) == QLatin1String("Maus"));
    }

    // The search's steps over the cards, seen from the window.
    void searchShowsTheCardAndPageFound()
    {
        TMDIChild *document =
            newSet(QStringLiteral("suche.ql3"), {{"Hauptstadt von Peru?", "Lima"}, {"Fluss", "Amazonas"}, {"Lima", "liegt in PERU"}});
        form->action(MainCommand::Find)->trigger();
        FindDialog *find = form->findDialog();
        const auto shown = [document] { return QStringLiteral("%1/%2").arg(document->Set().CurrentIndex()).arg(document->shownPage()); };
        const QString back = QString::number(int(TMDIChild::BackPage));
        QVERIFY(find->isVisible() && !find->isModal() && !find->findNextButton()->isEnabled());
        find->textEdit()->setText(QStringLiteral("peru"));
        QVERIFY(find->findNextButton()->isEnabled());

        // The last card is current: the question comes at once.
        dialogs.questionAnswers = {true};
        find->findNextButton()->click();
        QCOMPARE(dialogs.questions, QStringList{QStringLiteral("Das Ende wurde erreicht, von vorne beginnen?.")});
        QCOMPARE(shown(), QStringLiteral("0/%1").arg(int(TMDIChild::FrontPage)));
        // On both faces of the last card: the back is shown.
        find->findNextButton()->click();
        QCOMPARE(shown(), QStringLiteral("2/") + back);

        // In the current card, found last; searching changes nothing.
        document->Rueckseite()->setPlainText(QStringLiteral("Titicacasee"));
        save();
        find->textEdit()->setText(QStringLiteral("cacas"));
        dialogs.questionAnswers = {true};
        find->findNextButton()->click();
        QVERIFY(dialogs.questions.size() == 2 && document->Set().CurrentIndex() == 2);
        QVERIFY(!document->Set().Modified() && dialogs.informations.isEmpty());

        // Nowhere: one round, then it says so, the card where the search
        // began shown again, the page left as it was.
        document->selectCard(1);
        find->textEdit()->setText(QStringLiteral("Kilimandscharo"));
        dialogs.questionAnswers = {true};
        find->findNextButton()->click();
        QCOMPARE(dialogs.questions.size() + dialogs.informations.size(), 4);
        QCOMPARE(dialogs.informations, QStringList{QStringLiteral("„Kilimandscharo“ wurde in keiner Karte gefunden.")});
        QCOMPARE(shown(), QStringLiteral("1/") + back);
        // After No at the end, the last card is shown.
        dialogs.questionAnswers = {false};
        find->findNextButton()->click();
        QVERIFY(document->Set().CurrentIndex() == 2 && dialogs.informations.size() == 1);
    }

    // Pictures and objects go into the face shown, never on the options page.
    void picturesAndObjectsGoIntoTheFaceShown()
    {
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString png = path(QStringLiteral("rot.png"));
        QVERIFY(red.save(png));
        writeFile(path(QStringLiteral("kaputt.png")), "kein Bild");
        writeFile(path(QStringLiteral("bild.xyz")), "?");
        writeFile(path(QStringLiteral("riesig.jpg")), jpegClaimingHugeSize());
        writeFile(path(QStringLiteral("notiz.txt")), "Vokabeln Lektion 3");
        const auto clipboardSize = [] { return qvariant_cast<QImage>(QApplication::clipboard()->mimeData()->imageData()).size(); };

        // Without a document only the clipboard takes a picture.
        dialogs.pictureAnswers = {png};
        form->action(MainCommand::InsertPicture)->trigger();
        QCOMPARE(clipboardSize(), QSize(40, 30));

        TMDIChild *document = newSet(QStringLiteral("bild.ql3"));
        QApplication::clipboard()->setText(QStringLiteral("vorher"));
        dialogs.pictureAnswers = {path(QStringLiteral("kaputt.png")), path(QStringLiteral("bild.xyz")), path(QStringLiteral("riesig.jpg")),
                                  QString()};
        for (int i = 0; i < 4; ++i)
            form->button(MainCommand::InsertPicture)->click();
        QCOMPARE(dialogs.warnings.join(QLatin1Char('|')),
                 QStringLiteral(
                     "Die Datei \"kaputt.png\" ist kein gültiges Bild.|Unbekannte Bilddateierweiterung (.xyz)|Das Bild "
                     "\"riesig.jpg\" ist zu groß: Bilder dürfen höchstens 64 MB und 64 Millionen Bildpunkte (20000 je Seite) haben."));
        QVERIFY(QApplication::clipboard()->text() == QLatin1String("vorher") && !document->Set().Modified());

        // On the options page no face takes either, and no file is even asked for an object.
        document->showPage(TMDIChild::OptionsPage);
        dialogs.pictureAnswers = {png};
        dialogs.openAnswers = {path(QStringLiteral("notiz.txt"))};
        form->action(MainCommand::InsertPicture)->trigger();
        form->action(MainCommand::InsertObject)->trigger();
        QVERIFY(dialogs.openAnswers.size() == 1 && !document->Set().Modified());

        document->showPage(TMDIChild::BackPage);
        document->Rueckseite()->setPlainText(QStringLiteral("Flagge: "));
        document->Rueckseite()->moveCursor(QTextCursor::End);
        save();
        QApplication::clipboard()->clear();
        dialogs.pictureAnswers = {png};
        QVERIFY(document->findChild<QMenu *>(QStringLiteral("Popup"))->actions().contains(form->action(MainCommand::InsertPicture)));
        form->action(MainCommand::InsertPicture)->trigger();
        QVERIFY(document->Rueckseite()->toPlainText() == QStringLiteral("Flagge: ") + QChar::ObjectReplacementCharacter);
        QVERIFY(document->Set().Modified() && clipboardSize() == QSize(40, 30));
        save();
        form->button(MainCommand::InsertObject)->click();
        QVERIFY(document->Set().Modified());
        document->StoreCurrentCard();
        QVERIFY(document->Set().back(0).contains("{\\*\\objclass Package}"));

        // A photo as wide as the card shows within the editor beside its
        // scroll bar, keeping the stored size that printing uses.
        document->showPage(TMDIChild::FrontPage);
        QImage photo(2000, 3000, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(path(QStringLiteral("foto.jpg"))));
        dialogs.pictureAnswers = {path(QStringLiteral("foto.jpg"))};
        form->action(MainCommand::InsertPicture)->trigger();
        TMyRxRichEdit *front = document->Vorderseite();
        QTRY_VERIFY(front->verticalScrollBar()->isVisible());
        QVERIFY(!front->horizontalScrollBar()->isVisible());
        QVERIFY(formatAt(front, 0).toImageFormat().width() > front->viewport()->width() - 2 * front->document()->documentMargin());
    }

    void commandStatesFollowTheOpenDocuments()
    {
        using C = MainCommand;
        const auto documentState = [&](bool expected) {
            bool same = form->fontCombo()->isEnabled() == expected && form->fontSizeBox()->isEnabled() == expected
                && form->textColorButton()->isEnabled() == expected && form->backColorButton()->isEnabled() == expected;
            for (C command : {C::Save, C::NewCard, C::Cut, C::Print, C::Bold, C::Undo, C::Redo, C::InsertPicture})
                same = same && form->button(command)->isEnabled() == expected;
            for (C command : {C::Save, C::SaveAs, C::Quiz, C::Lernstand})
                same = same && form->action(command)->isEnabled() == expected;
            return same;
        };
        QVERIFY(documentState(false));
        for (C command : {C::FileOpen, C::FileNew, C::AlignLeft})
            QVERIFY(form->button(command)->isEnabled());
        // The menu entries of these stay usable: pictures go to the clipboard.
        for (C command : {C::Print, C::InsertPicture, C::Cascade, C::Options})
            QVERIFY(form->action(command)->isEnabled());

        newSet(QStringLiteral("eins.ql3"));
        QVERIFY(documentState(true));
        newSet(QStringLiteral("zwei.ql3"));
        form->action(C::FileClose)->trigger();
        QVERIFY(form->documents().size() == 1 && documentState(true));
        form->action(C::FileClose)->trigger();
        QVERIFY(form->documents().isEmpty() && documentState(false));
    }

    void lernstandIsOneWindowPerSetAndGoesWithIt()
    {
        newSet(QStringLiteral("eins.ql3"));
        form->action(MainCommand::Lernstand)->trigger();
        form->action(MainCommand::Lernstand)->trigger();
        const QList<TLernstandForm *> open = form->findChildren<TLernstandForm *>();
        QVERIFY(open.size() == 1 && open.first()->isVisible());
        const QPointer<TLernstandForm> window = open.first();
        form->action(MainCommand::FileClose)->trigger();
        QTRY_VERIFY(window.isNull());
    }

    // A new set is written only when saved; closed, it opens again by the
    // dialog and by a drop.
    void newSetsAreSavedReopenedAndDropped()
    {
        form->button(MainCommand::FileNew)->click();
        QCOMPARE(dialogs.saveTitles, QStringList{QStringLiteral("Wie soll die Datei später heißen?")});
        QVERIFY(form->documents().isEmpty());
        TMDIChild *document = newSet(QStringLiteral("runde.ql3"));
        QVERIFY(document->caption() == QStringLiteral("runde.ql3") && !document->Modified()
                && !QFile::exists(path(QStringLiteral("runde.ql3"))));
        document->Vorderseite()->setPlainText(QStringLiteral("Hund"));
        document->Rueckseite()->setPlainText(QStringLiteral("dog"));
        form->button(MainCommand::NewCard)->click();
        save();
        form->action(MainCommand::FileClose)->trigger();
        QCOMPARE(dialogs.closeQuestions, 0);

        dialogs.openAnswers.append(path(QStringLiteral("runde.ql3")));
        form->button(MainCommand::FileOpen)->click();
        TMDIChild *reopened = form->ActiveDocument();
        QVERIFY(reopened && !reopened->Modified());
        QCOMPARE(QStringLiteral("%1 %2 %3 ").arg(reopened->caption()).arg(rows(*reopened)).arg(reopened->selectedCard()) + faces(reopened),
                 QStringLiteral("runde.QL3 2 0 Hunddog"));
        // The file opened is the file saved next time, whatever its letter case.
        QCOMPARE(reopened->Set().FileName(), path(QStringLiteral("runde.ql3")));
        dialogs.saveAnswers.append(path(QStringLiteral("kopie.ql3")));
        form->action(MainCommand::SaveAs)->trigger();
        QCOMPARE(reopened->caption(), QStringLiteral("kopie.ql3"));
        form->action(MainCommand::FileClose)->trigger();

        drop({path(QStringLiteral("kopie.ql3")), path(QStringLiteral("bild.png"))});
        QVERIFY(form->documents().size() == 1 && form->button(MainCommand::Save)->isEnabled()
                && form->ActiveDocument()->caption() == QStringLiteral("kopie.QL3"));
    }

    void failedLoadsKeepTheWindowAndSayWhy()
    {
        writeFile(path(QStringLiteral("kaputt.ql3")), "Das ist keine Kartei.");
        dialogs.openAnswers.append(path(QStringLiteral("kaputt.ql3")));
        form->action(MainCommand::FileOpen)->trigger();
        TMDIChild *document = form->ActiveDocument();
        QVERIFY(document);
        // Too short for the chunk header its first byte announces: step 3.
        QCOMPARE(dialogs.warnings,
                 QStringList{QStringLiteral("Beim Laden trat ein Fehler auf.\rMöglicherweise ist die Datei "
                                            "fehlerhaft.\r\rFehlercode: 3")});
        QVERIFY(dialogs.warningDetails.constFirst().contains(QStringLiteral("kaputt.ql3")));
        QCOMPARE(document->caption() + QString::number(rows(*document)), QStringLiteral("Es kam zu einem Fehler beim Laden.1"));

        // Saving a set whose name was never read asks for one.
        form->button(MainCommand::Save)->click();
        QCOMPARE(dialogs.saveTitles, QStringList{QStringLiteral("Speichern unter")});

        const QString wrong = path(QStringLiteral("karten.txt"));
        QVERIFY(form->OpenDocument(wrong) == nullptr);
        QCOMPARE(dialogs.informations,
                 QStringList{QStringLiteral("Die Datei \r") + wrong
                             + QStringLiteral("\rhat nicht die richtige Endung und kann\rdaher nicht "
                                              "geladen werden.")});

        // A file that is not there opens no window.
        const QString missing = path(QStringLiteral("fehlt.ql3"));
        QVERIFY(form->OpenDocument(missing) == nullptr && form->documents().size() == 1);
        QCOMPARE(dialogs.informations.constLast(), QStringLiteral("Die Datei \r") + missing + QStringLiteral("\rexistiert nicht."));
    }

    void legacySetOpensUnderItsNewName()
    {
        for (const char *extension : {"QLT", "QLA"})
            writeLegacyFaces(path(QStringLiteral("karten.") + QLatin1String(extension)), {"{\\rtf1 eins\\par}", "{\\rtf1 zwei\\par}"});
        TMDIChild *document = form->OpenDocument(path(QStringLiteral("karten.qla")));
        QVERIFY(document);
        QCOMPARE(document->caption() + document->Set().FileName(), QStringLiteral("karten.QL3") + path(QStringLiteral("karten.QL3")));
        QCOMPARE(dialogs.informations,
                 QStringList{QStringLiteral("Es wurde ein Kartensatz im Quillo 2.5 Format geladen.\rKontrollieren "
                                            "Sie bitte den Font der Titelzeile und die Optionen.")});
        QCOMPARE(document->Vorderseite()->toPlainText() + QString::number(rows(*document)) + QString::number(document->Modified()),
                 QStringLiteral("eins20"));
    }

    void failedSavesSayWhereTheyStopped()
    {
        TMDIChild *document = newSet(QStringLiteral("fehlt/nirgends.ql3"));
        QTest::keyClicks(document->Vorderseite(), QStringLiteral("x"));
        form->button(MainCommand::Save)->click();
        QCOMPARE(dialogs.warnings,
                 QStringList{QStringLiteral("Beim Speichern trat ein Fehler auf.\rWenn Sie einen Quillo 2.5-"
                                            "Karteikartensatz geladen haben,\rwählen Sie bitte Datei-Speichern "
                                            "unter, um diesen zu speichern.\r\rErrorLine: 4")});
        QVERIFY(!dialogs.warningDetails.constFirst().isEmpty() && document->Modified() && form->button(MainCommand::Save)->isEnabled());

        dialogs.saveAnswers.append(path(QStringLiteral("fehlt/auch.ql3")));
        form->action(MainCommand::SaveAs)->trigger();
        QCOMPARE(dialogs.warnings.at(1) + document->caption(), QStringLiteral("Beim Speichern trat ein Fehler auf.auch.ql3"));
    }

    void undoAndRedoActOnTheFaceShown()
    {
        TMDIChild *document = newSet(QStringLiteral("undo.ql3"));
        QTest::keyClicks(document->Vorderseite(), QStringLiteral("vorn"));
        QTest::keyClicks(document->Rueckseite(), QStringLiteral("hinten"));
        save();
        document->showPage(TMDIChild::BackPage);
        QCOMPARE(form->ActiveFace(), document->Rueckseite());
        form->button(MainCommand::Undo)->click();
        QVERIFY(faces(document) == QLatin1String("vorn") && document->Modified());
        form->button(MainCommand::Redo)->click();
        QCOMPARE(document->Rueckseite()->toPlainText(), QStringLiteral("hinten"));

        // On the options page the back, shown last, is the face.
        document->showPage(TMDIChild::OptionsPage);
        QVERIFY(form->ActiveFace() == nullptr);
        form->button(MainCommand::Undo)->click();
        QCOMPARE(faces(document), QStringLiteral("vorn"));
        document->showPage(TMDIChild::FrontPage);
        form->button(MainCommand::Undo)->click();
        QVERIFY(faces(document).isEmpty());
    }

    // F1 to F6 in a face; F3 to F6 are the formatting tests'.
    void functionKeysMoveBetweenFacesAndAddCards()
    {
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        TMDIChild *document = newSet(QStringLiteral("f1.ql3"));
        TMyRxRichEdit *front = document->Vorderseite();
        // The page shown and whether the front has the focus.
        const auto shown = [&] { return document->shownPage() * 10 + int(QApplication::focusWidget() == front); };
        front->setFocus();
        QTest::keyClick(front, Qt::Key_F2);
        QVERIFY(shown() == 10 && QApplication::focusWidget() == document->Rueckseite());
        QTest::keyClick(document->Rueckseite(), Qt::Key_F2, Qt::ShiftModifier);
        QCOMPARE(shown(), 1);
        QTest::keyClick(front, Qt::Key_Tab);
        QVERIFY(front->toPlainText() == QLatin1String("\t") && shown() == 1);
        QTest::keyClick(front, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!document->Modified());

        document->showPage(TMDIChild::BackPage);
        QTest::keyClick(document->Rueckseite(), Qt::Key_F1);
        QVERIFY(document->Set().count() == 2 && document->shownPage() == TMDIChild::FrontPage);
        document->Kartenliste()->setFocus();
        form->button(MainCommand::NewCard)->click();
        QCOMPARE(shown(), 1);
    }

    void clipboardCommandsNeedAFocusedSelection()
    {
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QVERIFY(!form->action(MainCommand::Copy)->isEnabled());
        TMDIChild *document = newSet(QStringLiteral("clip.ql3"));
        document->Vorderseite()->setFocus();
        QTest::keyClicks(document->Vorderseite(), QStringLiteral("Wort"));
        QVERIFY(!form->action(MainCommand::Cut)->isEnabled());
        document->Vorderseite()->selectAll();
        QVERIFY(form->action(MainCommand::Cut)->isEnabled() && form->action(MainCommand::Copy)->isEnabled());
        form->button(MainCommand::Cut)->click();
        QVERIFY(document->Vorderseite()->toPlainText().isEmpty());
        QVERIFY(form->action(MainCommand::Paste)->isEnabled());
        save();
        form->action(MainCommand::Paste)->trigger();
        QCOMPARE(document->Vorderseite()->toPlainText(), QStringLiteral("Wort"));
        QVERIFY(document->Modified());
    }

    // Only a changed set asks; No keeps it and the program open.
    void quittingRunsEveryCloseProtocol()
    {
        TMDIChild *kept = newSet(QStringLiteral("a.ql3"));
        newSet(QStringLiteral("b.ql3"));
        kept->Set().markChanged();
        dialogs.closeAnswers = {false};
        QVERIFY(!form->close());
        QVERIFY(dialogs.closeQuestions == 1 && form->documents() == QList<TMDIChild *>{kept}
                && form->button(MainCommand::Save)->isEnabled());
        dialogs.closeAnswers = {true};
        QVERIFY(form->close());
        QVERIFY(dialogs.closeQuestions == 2 && form->documents().isEmpty());
    }

    void windowsCascadeTileAndAreListed()
    {
        for (int i = 0; i < 6; ++i)
            newSet(QStringLiteral("kaskade%1.ql3").arg(i));
        const QList<QMdiSubWindow *> windows = form->mdiArea()->subWindowList(QMdiArea::CreationOrder);
        for (qsizetype i = 0; i < windows.size(); ++i) {
            QVERIFY(form->mdiArea()->viewport()->rect().contains(windows.at(i)->geometry()));
            QVERIFY(i == 0 || windows.at(i)->pos() != windows.at(i - 1)->pos());
        }
        QVERIFY(!form->mdiArea()->verticalScrollBar()->isVisible());
        // Too large for the area: as large as the area.
        QCOMPARE(WindowTiling::cascaded(QRect(0, 0, 300, 200), QSize(400, 150), 3, 20), QRect(0, 0, 300, 150));

        form->action(MainCommand::TileVertical)->trigger();
        QVERIFY(windows.at(0)->geometry().right() < windows.at(5)->geometry().left());
        form->action(MainCommand::TileHorizontal)->trigger();
        QVERIFY(windows.at(0)->geometry().bottom() < windows.at(5)->geometry().top());
        form->action(MainCommand::MinimizeAll)->trigger();
        QVERIFY(windows.at(0)->isMinimized() && windows.at(1)->isMinimized());

        QMenu *menu = form->findChild<QMenu *>(QStringLiteral("Window1"));
        emit menu->aboutToShow();
        QAction *first = menu->findChild<QAction *>(QStringLiteral("WindowListEntry1"));
        QVERIFY(first && first->text() == QLatin1String("&1 kaskade0.ql3"));
        first->trigger();
        QVERIFY(form->mdiArea()->currentSubWindow() == windows.at(0) && !windows.at(0)->isMinimized());
    }

    void tilesCoverTheAreaWithoutOverlap()
    {
        const QRect area(10, 20, 1001, 603);
        for (int count : {1, 2, 3, 4, 5, 7, 10}) {
            for (const QList<QRect> &places : {WindowTiling::horizontal(area, count), WindowTiling::vertical(area, count)}) {
                QCOMPARE(places.size(), count);
                QRegion covered;
                for (const QRect &place : places) {
                    QVERIFY(!covered.intersects(place));
                    covered += place;
                }
                QCOMPARE(covered, QRegion(area));
            }
        }
    }

    // The formatting commands, by button and by their keys F4 to F6 in the
    // focused face.
    void stylesToggleOnTheSelectionOrTheNextTyping()
    {
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        TMDIChild *document = formattedSet();
        TMyRxRichEdit *front = document->Vorderseite();
        front->setFocus();
        select(front, 6, 10);
        form->button(MainCommand::Bold)->click();
        // Formatted text is a change of the face.
        QVERIFY(formatAt(front, 6).fontWeight() >= QFont::Bold && formatAt(front, 0).fontWeight() < QFont::Bold && document->Modified());
        QTest::keyClick(front, Qt::Key_F4, Qt::ShiftModifier);
        QVERIFY(formatAt(front, 6).fontWeight() < QFont::Bold);
        QTest::keyClick(front, Qt::Key_F5);
        QTest::keyClick(front, Qt::Key_F6);
        QVERIFY(formatAt(front, 8).fontItalic() && formatAt(front, 8).fontUnderline());
        form->button(MainCommand::Italic)->click();
        form->button(MainCommand::Underline)->click();
        QVERIFY(!formatAt(front, 8).fontItalic() && !formatAt(front, 8).fontUnderline());

        // Nothing selected: only what is typed next, no change of the set;
        // but a size marks it.
        save();
        front->moveCursor(QTextCursor::End);
        form->button(MainCommand::Bold)->click();
        form->fontCombo()->setCurrentFont(QFont(otherFamily()));
        QVERIFY(!document->Modified());
        QTest::keyClicks(front, QStringLiteral("!"));
        QVERIFY(front->toPlainText() == QLatin1String("Hallo Welt!") && formatAt(front, 10).fontWeight() >= QFont::Bold);
        save();
        form->fontSizeBox()->setValue(30);
        QVERIFY(document->Modified());
    }

    // On the options page the formatting commands format the header line,
    // and the back's look becomes the standard font of the backs.
    void optionsPageFormatsTheHeaderAndTakesTheStandardFont()
    {
        TMDIChild *document = formattedSet();
        const FontRecord frontStandard = document->Set().StandardFontFront();
        TMyRxRichEdit *back = document->Rueckseite();
        select(back, 0, 7);
        const QString family = otherFamily();
        QTextCharFormat change;
        change.setFontFamilies({family});
        change.setFontPointSize(17);
        change.setFontItalic(true);
        change.setForeground(QColor(10, 20, 30));
        back->mergeCurrentCharFormat(change);
        save();
        const QByteArray frontBefore = document->Vorderseite()->saveRtf();
        document->showPage(TMDIChild::OptionsPage);
        form->action(MainCommand::AsStandardFont)->trigger();
        QVERIFY(document->Modified() && document->Set().StandardFontFront() == frontStandard);
        QCOMPARE(document->Set().StandardFontBack(), (FontRecord{family, 17, StoredColor::fromRgb(10, 20, 30), false, true, false, false}));

        // The header's look is saved with the set.
        save();
        form->button(MainCommand::Bold)->click();
        QVERIFY(document->Set().printOptions().HeaderFont.Bold && document->KopfZeile()->font().bold() && document->Modified());
        form->fontSizeBox()->setValue(20);
        QVERIFY(document->Set().printOptions().HeaderFont.Size == 20 && document->CopyEdit()->font().pointSize() == 20);
        form->fontCombo()->setCurrentFont(QFont(family));
        QCOMPARE(document->Set().printOptions().HeaderFont.Name, form->fontCombo()->currentFont().family());
        dialogs.colorAnswers = {QColor(0, 0, 255)};
        form->findChild<QAction *>(QStringLiteral("WeitereFarben"))->trigger();
        QCOMPARE(document->Set().printOptions().HeaderFont.Color, StoredColor::fromRgb(0, 0, 255));
        form->backColorButton()->click();
        QCOMPARE(document->Set().printOptions().HeaderColor, StoredColor::White);

        // Alignment, numbering and the back colour dialog have no header target.
        dialogs.colorAnswers = {QColor(1, 2, 3)};
        for (MainCommand command : {MainCommand::AlignLeft, MainCommand::AlignCenter, MainCommand::AlignRight, MainCommand::Bullets,
                                    MainCommand::BackColorDialog})
            form->button(command)->click();
        QVERIFY(dialogs.colorAnswers.size() == 1 && document->Vorderseite()->saveRtf() == frontBefore);

        // The next card's back starts in the standard font.
        form->button(MainCommand::NewCard)->click();
        QTest::keyClicks(back, QStringLiteral("x"));
        QCOMPARE(formatAt(back, 0).font().family(), family);
    }

    void coloursFromPaletteButtonFaceAndDialog()
    {
        TMDIChild *document = formattedSet();
        TMyRxRichEdit *front = document->Vorderseite();
        select(front, 0, 5);
        QToolButton *textButton = form->textColorButton();
        const QList<QAction *> palette = textButton->menu()->actions();
        const auto red = std::find_if(palette.begin(), palette.end(), [](QAction *entry) { return entry->text() == QLatin1String("Rot"); });
        QVERIFY(red != palette.end());
        (*red)->trigger();
        QVERIFY(formatAt(front, 0).foreground().color() == QColor(255, 0, 0)
                && textButton->property("color").value<QColor>() == QColor(255, 0, 0));
        select(front, 6, 10);
        textButton->click();
        QCOMPARE(formatAt(front, 6).foreground().color(), QColor(255, 0, 0));

        form->backColorButton()->click();
        QCOMPARE(formatAt(front, 6).background().color(), QColor(Qt::white));
        QVERIFY(!form->button(MainCommand::TextColorDialog)->isVisible());
        dialogs.colorAnswers = {QColor(0, 128, 0), QColor(255, 255, 0), QColor()};
        form->button(MainCommand::TextColorDialog)->click();
        form->button(MainCommand::BackColorDialog)->click();
        QVERIFY(formatAt(front, 6).foreground().color() == QColor(0, 128, 0)
                && formatAt(front, 6).background().color() == QColor(255, 255, 0));
        // A cancelled dialog changes nothing.
        form->button(MainCommand::TextColorDialog)->click();
        QCOMPARE(formatAt(front, 6).foreground().color(), QColor(0, 128, 0));
    }

    void alignmentByTagAndBulletsOnTheFaceShown()
    {
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        TMDIChild *document = formattedSet();
        TMyRxRichEdit *front = document->Vorderseite();
        front->setFocus();
        for (auto [command, alignment] : {std::pair{MainCommand::AlignRight, Qt::AlignRight},
                                          {MainCommand::AlignCenter, Qt::AlignHCenter},
                                          {MainCommand::AlignLeft, Qt::AlignLeft}}) {
            form->button(command)->click();
            QCOMPARE(front->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, alignment);
        }

        save();
        QTest::keyClick(front, Qt::Key_F3);
        QTextList *list = front->document()->firstBlock().textList();
        QVERIFY(list && list->format().style() == QTextListFormat::ListDisc);
        QVERIFY(list->format().indent() * front->document()->indentWidth() * 0.75 >= 10);
        QVERIFY(!document->Rueckseite()->document()->firstBlock().textList());
        // The bullet grows with its line's text.
        select(front, 0, 10);
        form->fontSizeBox()->setValue(20);
        QCOMPARE(front->document()->firstBlock().charFormat().fontPointSize(), 20);
        // Stored and shown again, the bullet is still there.
        document->StoreCurrentCard();
        document->ShowCurrentCard();
        QVERIFY(front->document()->firstBlock().textList());
        form->button(MainCommand::Bullets)->click();
        QVERIFY(!front->document()->firstBlock().textList() && front->document()->firstBlock().blockFormat().indent() == 0);
        QCOMPARE(front->toPlainText(), QStringLiteral("Hallo Welt"));
    }

    void toolbarFollowsTheCaretAndPageWithoutChangingTheText()
    {
        TMDIChild *document = formattedSet();
        TMyRxRichEdit *front = document->Vorderseite();
        const QString family = otherFamily();
        select(front, 6, 10);
        QTextCharFormat change;
        change.setFontFamilies({family});
        change.setFontPointSize(22);
        front->mergeCurrentCharFormat(change);
        QTextCursor back(document->Rueckseite()->document());
        back.select(QTextCursor::Document);
        back.mergeCharFormat(change);
        save();
        const QByteArray before = front->saveRtf();

        select(front, 8, 8);
        QCOMPARE(form->fontCombo()->currentText() + QString::number(form->fontSizeBox()->value()), family + QStringLiteral("22"));
        select(front, 2, 2);
        // Arial may not be installed: then no entry is chosen.
        QCOMPARE(form->fontCombo()->currentIndex(), form->fontCombo()->findText(QStringLiteral("Arial")));
        QCOMPARE(form->fontSizeBox()->value(), 12);
        QVERIFY(front->saveRtf() == before && !document->Modified());
        // The boxes show the face of the card and page shown.
        select(front, 8, 8);
        form->button(MainCommand::NewCard)->click();
        QCOMPARE(form->fontSizeBox()->value(), 12);
        document->selectCard(0);
        document->showPage(TMDIChild::BackPage);
        QCOMPARE(form->fontSizeBox()->value(), 22);
        document->showPage(TMDIChild::FrontPage);

        change = QTextCharFormat();
        change.setFontFamilies({QStringLiteral("Keine Solche Schrift")});
        select(front, 0, 2);
        front->mergeCurrentCharFormat(change);
        select(front, 1, 1);
        QCOMPARE(QString::number(form->fontCombo()->currentIndex()) + form->fontCombo()->currentText(),
                 QStringLiteral("-1Keine Solche Schrift"));
    }

    // A maximised document's title is part of the main window's: its unsaved
    // mark is the shown document's, also after another one closed.
    void maximisedTitleMarksTheSetShown()
    {
        TMDIChild *changed = newSet(QStringLiteral("geaendert.ql3"), {{"Hund"}});
        newSet(QStringLiteral("neu.ql3"));
        form->mdiArea()->currentSubWindow()->showMaximized();
        QVERIFY(!form->isWindowModified());
        form->action(MainCommand::FileClose)->trigger();
        QCOMPARE(form->ActiveDocument(), changed);
        QVERIFY(form->windowTitle().contains(QLatin1String("[*]")));
        QTRY_VERIFY(form->isWindowModified());
    }
};

QUILLO_GUI_TEST_MAIN(TestTMainForm)
#include "tst_tmainform.moc"
