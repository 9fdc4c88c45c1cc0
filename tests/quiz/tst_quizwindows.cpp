#include "../BoxedSet.h"
#include "../ModalGuard.h"

#include "quiz/QuizCommand.h"
#include "quiz/RandomGenerator.h"
#include "quiz/TAbfrageForm.h"
#include "quiz/TKasten.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

namespace {

// Cards whose faces read "Frage n" and "Antwort n", in these boxes.
CardSet &withCards(CardSet &set, const QList<qint32> &boxes)
{
    for (int i = 0; i < boxes.size(); ++i)
        set.AddCard({"{\\rtf1\\ansi Frage " + QByteArray::number(i) + "}", "{\\rtf1\\ansi Antwort " + QByteArray::number(i) + "}",
                     boxes.at(i), false});
    return set;
}

// A review of such cards, its end message recorded instead of shown.
struct Quiz
{
    explicit Quiz(const QList<qint32> &boxes)
        : form(withCards(set, boxes), random, QuizRun::Review, 5)
    {
        form.showMessage = [this](QWidget *, const QString &text) { messages.append(text); };
    }
    // Asks the cards of `box` (0: all) in the window shown.
    void start(int box)
    {
        form.run().buildList(box);
        form.ShowNextCard();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    // The card shown now, read back from the display.
    int shownCard() const { return form.Abfrage->toPlainText().section(u' ', 1).toInt(); }

    CardSet set;
    RandomGenerator random{42};
    TAbfrageForm form;
    QStringList messages;
};

// The box dialog over seven cards: three in box 1, two in 2, one in 3 and 4.
struct BoxDialog
{
    BoxDialog()
        : dialog((fillBoxes(set, {1, 2, 1, 4, 2, 1, 3}), set))
    {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }
    QStringList itemTexts() const
    {
        QStringList texts;
        for (int row = 0; row < dialog.Abteilungen->count(); ++row)
            texts.append(dialog.Abteilungen->item(row)->text());
        return texts;
    }
    int checkedCount() const
    {
        int checked = 0;
        for (int row = 0; row < dialog.Abteilungen->count(); ++row)
            checked += dialog.Abteilungen->item(row)->checkState() == Qt::Checked;
        return checked;
    }

    CardSet set;
    TKasten dialog;
};

// The quiz command over cards in these boxes, its windows answered by whenModal.
bool runQuiz(CardSet &set, const QList<qint32> &boxes)
{
    fillBoxes(set, boxes);
    RandomGenerator random(1);
    return QuizCommand::run(set, nullptr, QSize(300, 200), random);
}

// Where the check box of a row sits: at the start of the item, one margin in.
QPoint checkBoxOf(QListWidget *list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int indicator = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list);
    return QPoint(rect.left() + margin + indicator / 2, rect.center().y());
}

} // namespace

// The box dialog, the quiz window, and the quiz command that runs both.
class TestQuizWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonsAndKeysWorkTheQuiz()
    {
        Quiz quiz({2, 2, 2, 2, 2, 2});
        TAbfrageForm &form = quiz.form;
        QCOMPARE(form.Wieviel->text(), QStringLiteral("Noch 0 Karten."));
        for (QToolButton *button : {form.Loesung, form.Ok, form.Falsch})
            QVERIFY(!button->isEnabled());
        // Pictures are drawn, not loaded from files that could be missing.
        for (QToolButton *button : {form.SpeedButton1, form.Loesung, form.Ok, form.Falsch})
            QVERIFY(!button->icon().isNull());
        QVERIFY(!form.Image1->pixmap().isNull());

        quiz.start(2);
        QCOMPARE(form.Wieviel->text(), QStringLiteral("Noch 6 Karten."));
        int card = quiz.shownCard();
        QCOMPARE(form.Abfrage->toPlainText(), QStringLiteral("Frage %1").arg(card));
        QVERIFY(form.Loesung->isEnabled() && !form.Ok->isEnabled() && !form.Falsch->isEnabled());
        form.Loesung->click();
        QCOMPARE(form.Abfrage->toPlainText(), QStringLiteral("Antwort %1").arg(card));
        QVERIFY(!form.Loesung->isEnabled() && form.Ok->isEnabled() && form.Falsch->isEnabled());
        form.Ok->click();
        QCOMPARE(quiz.set.box(card), 3);
        QCOMPARE(form.Wieviel->text(), QStringLiteral("Noch 5 Karten."));
        card = quiz.shownCard();
        form.Loesung->click();
        form.Falsch->click();
        QCOMPARE(quiz.set.box(card), 1);

        card = quiz.shownCard();
        QTest::keyClick(&form, Qt::Key_J); // no verdict before the answer
        QCOMPARE(form.run().remaining(), 4);
        QTest::keyClick(&form, Qt::Key_Space);
        QCOMPARE(form.Abfrage->toPlainText(), QStringLiteral("Antwort %1").arg(card));
        QTest::keyClick(&form, Qt::Key_J);
        QCOMPARE(quiz.set.box(card), 3);
        card = quiz.shownCard();
        QTest::keyClick(&form, Qt::Key_Return);
        QTest::keyClick(&form, Qt::Key_Left);
        QCOMPARE(quiz.set.box(card), 1);
        card = quiz.shownCard();
        QTest::keyClick(&form, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(&form, Qt::Key_Right);
        QCOMPARE(quiz.set.box(card), 3);

        // A held key gives one verdict, not a row of them.
        QCOMPARE(form.Wieviel->text(), QStringLiteral("Noch 1 Karten."));
        card = quiz.shownCard();
        QTest::keyClick(&form, Qt::Key_Space);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, QStringLiteral("n"), true);
        QApplication::sendEvent(&form, &held);
        QCOMPARE(quiz.set.box(card), 2);
        QVERIFY(quiz.messages.isEmpty());
        QTest::keyClick(&form, Qt::Key_N);
        QCOMPARE(quiz.set.box(card), 1);
        QCOMPARE(quiz.messages, QStringList(QStringLiteral("Es wurden alle Karteikarten abgefragt.")));
        QVERIFY(form.ended() && !form.isVisible());
    }

    void aLongFaceScrollsByKeys()
    {
        Quiz quiz({1});
        QByteArray longFace = "{\\rtf1\\ansi ";
        for (int line = 0; line < 200; ++line)
            longFace += "Zeile " + QByteArray::number(line) + "\\par ";
        quiz.set.setFront(0, longFace + "}");
        quiz.form.setFaceSize(QSize(300, 200));
        quiz.start(0);
        QScrollBar *bar = quiz.form.Abfrage->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);
        QTest::keyClick(&quiz.form, Qt::Key_PageDown);
        QVERIFY(bar->value() > 0);
        QTest::keyClick(&quiz.form, Qt::Key_PageUp);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(quiz.form.run().phase(), QuizRun::Phase::Question);
    }

    void escapeEndsAndKeepsTheVerdicts()
    {
        Quiz quiz({2, 2, 2, 2});
        quiz.start(0);
        for (int verdict = 0; verdict < 2; ++verdict) {
            quiz.form.LoesungClick();
            quiz.form.OkClick();
        }
        QTest::keyClick(&quiz.form, Qt::Key_Escape);
        QVERIFY(quiz.form.ended() && !quiz.form.isVisible());
        QVERIFY(quiz.messages.isEmpty());
        QCOMPARE(boxesOf(quiz.set).count(3), 2);
        QCOMPARE(boxesOf(quiz.set).count(2), 2);
    }

    void cancelledOrEndedAtOnce()
    {
        CardSet set;
        whenModal<TKasten>([](TKasten *dialog) {
            dialog->SpeedButton1->click();
            dialog->reject();
        });
        QVERIFY(!runQuiz(set, {1, 3, 4}));
        QVERIFY(!set.Modified());
        QCOMPARE(boxesOf(set), QList<qint32>({1, 3, 4}));

        // A quiz ended at once still marks the set.
        QSize faceSize;
        whenModal<TKasten>([](TKasten *dialog) {
            dialog->SpeedButton1->click();
            dialog->SpeedButton3->click();
        });
        whenModal<TAbfrageForm>([&faceSize](TAbfrageForm *form) {
            faceSize = form->Abfrage->size();
            QCOMPARE(form->run().QuizMode(), QuizRun::Cramming);
            form->SpeedButton1->click();
        });
        QVERIFY(runQuiz(set, {1, 3, 4}));
        QVERIFY(set.Modified());
        QCOMPARE(faceSize, QSize(300, 200));
        // "Alle in den ersten Kasten" took effect when the quiz started.
        QCOMPARE(boxesOf(set), QList<qint32>({1, 1, 1}));
    }

    void theChosenBoxIsAsked()
    {
        CardSet set;
        QList<qint32> list;
        whenModal<TKasten>([](TKasten *dialog) {
            dialog->Abteilungen->item(1)->setSelected(true);
            dialog->SpeedButton2->click();
        });
        QuizRun::Mode mode = QuizRun::Cramming;
        whenModal<TAbfrageForm>([&list, &mode](TAbfrageForm *form) {
            list = form->run().QuizList();
            mode = form->run().QuizMode();
            form->close();
        });
        QVERIFY(runQuiz(set, {1, 2, 1, 4, 2, 1, 3}));
        QCOMPARE(list, QList<qint32>({1, 4}));
        QCOMPARE(mode, QuizRun::Review);
        QVERIFY(set.Modified());
        // Without "Alle in den ersten Kasten" the boxes stay.
        QCOMPARE(boxesOf(set), QList<qint32>({1, 2, 1, 4, 2, 1, 3}));
    }

    // The one test of a set without cards: no window, the end message, a change.
    void anEmptySetShowsTheEndMessageOnly()
    {
        CardSet set;
        QString message;
        whenModal<TKasten>([](TKasten *dialog) { dialog->SpeedButton2->click(); });
        whenModal<QMessageBox>([&message](QMessageBox *box) {
            message = box->text();
            box->accept();
        });
        QVERIFY(runQuiz(set, {}));
        QCOMPARE(message, QStringLiteral("Es wurden alle Karteikarten abgefragt."));
        QVERIFY(set.Modified());
    }

    // The box dialog.
    void startsWithTheCountsAndNothingChosen()
    {
        BoxDialog box;
        QCOMPARE(box.itemTexts(), QStringList({"1.Kasten (3)", "2.Kasten (2)", "3.Kasten (1)", "4.Kasten (1)"}));
        QVERIFY(box.dialog.Abteilungen->selectedItems().isEmpty());
        QCOMPARE(box.checkedCount(), 0);
        QCOMPARE(box.dialog.choice().selectedBox(), 0);
        QCOMPARE(box.dialog.CramSize(), 5);
        // The buttons' modes are the quiz command's test; Escape is this one's.
        QTest::keyClick(&box.dialog, Qt::Key_Escape);
        QCOMPARE(box.dialog.result(), int(TKasten::Cancelled));
    }

    void aClickAnywhereOnAnItemChoosesIt()
    {
        BoxDialog box;
        QListWidget *list = box.dialog.Abteilungen;
        // A click on the check box of box 2 ticks it and chooses it.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, checkBoxOf(list, 1));
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
        QCOMPARE(box.dialog.choice().selectedBox(), 2);

        // Ticks on 1 and 2, then a click on the text of 4: box 4 only.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, checkBoxOf(list, 0));
        QCOMPARE(box.checkedCount(), 2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(3)).center());
        QCOMPARE(box.dialog.choice().selectedBox(), 4);
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(box.checkedCount(), 2);

        // Space on the current item ticks and chooses it, as a click would.
        list->setFocus();
        list->setCurrentRow(2, QItemSelectionModel::Clear);
        QCOMPARE(box.dialog.choice().selectedBox(), 0);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->item(2)->checkState(), Qt::Checked);
        QCOMPARE(box.dialog.choice().selectedBox(), 3);
    }

    void keysChooseEveryBoxInTurn()
    {
        BoxDialog box;
        box.dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box.dialog));
        QListWidget *list = box.dialog.Abteilungen;
        QCOMPARE(QApplication::focusWidget(), list);
        QVERIFY(list->selectedItems().isEmpty());
        QList<int> chosen;
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
            QTest::keyClick(list, key);
            chosen.append(box.dialog.choice().selectedBox());
        }
        QCOMPARE(chosen, QList<int>({1, 2, 3, 4, 4, 3}));
    }

    void allToFirstBoxShowsNewCountsAndKeepsTheDialogOpen()
    {
        BoxDialog box;
        box.dialog.Abteilungen->item(3)->setCheckState(Qt::Checked);
        box.dialog.Abteilungen->item(2)->setSelected(true);
        QCOMPARE(box.dialog.choice().selectedBox(), 3);
        box.dialog.SpeedButton1->click();
        QVERIFY(box.dialog.isVisible());
        QCOMPARE(box.itemTexts(), QStringList({"1.Kasten (7)", "2.Kasten (0)", "3.Kasten (0)", "4.Kasten (0)"}));
        QVERIFY(box.dialog.Abteilungen->selectedItems().isEmpty());
        QCOMPARE(box.checkedCount(), 0);
        QCOMPARE(box.dialog.choice().selectedBox(), 0);
        QVERIFY(box.dialog.choice().allToFirst());
        // The set itself changes only when the quiz starts.
        QCOMPARE(boxesOf(box.set), QList<qint32>({1, 2, 1, 4, 2, 1, 3}));
    }

    void aTypedSizeIsTakenWithinItsBounds()
    {
        BoxDialog box;
        box.dialog.activateWindow();
        box.dialog.Wieviele->setFocus();
        QLineEdit *edit = box.dialog.Wieviele->findChild<QLineEdit *>();
        QVERIFY(edit);
        const auto type = [edit](const QString &text) {
            edit->selectAll();
            QTest::keyClicks(edit, text);
        };
        type(QStringLiteral("12"));
        QCOMPARE(box.dialog.CramSize(), 12);
        // Not yet corrected by the field: a size below 5 still gives 5.
        type(QStringLiteral("3"));
        QCOMPARE(box.dialog.CramSize(), 5);
        edit->clear();
        QCOMPARE(box.dialog.CramSize(), 5);

        // Enter right after typing the size starts cramming.
        QTRY_VERIFY(box.dialog.SpeedButton3->isDefault());
        type(QStringLiteral("40"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(box.dialog.result(), int(TKasten::Cramming));
        QCOMPARE(box.dialog.CramSize(), 40);
    }
};

QUILLO_GUI_TEST_MAIN(TestQuizWindows)
#include "tst_quizwindows.moc"
