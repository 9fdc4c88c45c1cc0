#include "../BoxedSet.h"

#include "quiz/QuizCommand.h"
#include "quiz/RandomGenerator.h"
#include "quiz/TAbfrageForm.h"
#include "quiz/TKasten.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

void setWithBoxes(CardSet &set, const QList<qint32> &boxes)
{
    for (int i = 0; i < boxes.size(); ++i) {
        set.AddCard({"{\\rtf1\\ansi Frage " + QByteArray::number(i) + "}", "{\\rtf1\\ansi Antwort " + QByteArray::number(i) + "}",
                     boxes.at(i), false});
    }
}

// A quiz window whose end message is recorded instead of shown.
struct Quiz
{
    Quiz(CardSet &set, QuizRun::Mode mode, int cramSize = 5, quint32 seed = 42)
        : random(seed)
        , form(set, random, mode, cramSize)
    {
        form.showMessage = [this](QWidget *, const QString &text) { messages.append(text); };
    }

    RandomGenerator random;
    TAbfrageForm form;
    QStringList messages;
};

// The card shown now, read back from the display.
int shownCard(const TAbfrageForm &form)
{
    return form.Abfrage->toPlainText().section(u' ', 1).toInt();
}

// Runs action on the first modal window of type T once it is up.
template<typename T>
void whenModal(const std::function<void(T *)> &action)
{
    QTimer::singleShot(10, [action] {
        if (auto *window = qobject_cast<T *>(QApplication::activeModalWidget()))
            action(window);
        else
            whenModal<T>(action);
    });
}

void sevenCards(CardSet &set)
{
    fillBoxes(set, {1, 2, 1, 4, 2, 1, 3});
}

QStringList itemTexts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

int checkedCount(const QListWidget *list)
{
    int checked = 0;
    for (int row = 0; row < list->count(); ++row)
        checked += list->item(row)->checkState() == Qt::Checked;
    return checked;
}

// Where the check box of a row sits: at the start of the item, one margin in.
QPoint checkBoxOf(QListWidget *list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int indicator = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list);
    return QPoint(rect.left() + margin + indicator / 2, rect.center().y());
}

QPoint textOf(QListWidget *list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    return QPoint(rect.left() + 60, rect.center().y());
}

} // namespace

// The box dialog, the quiz window, and the quiz command that runs both.
class TestQuizWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nothingCanBeAnsweredBeforeTheFirstQuestion()
    {
        CardSet set;
        setWithBoxes(set, {1});
        Quiz quiz(set, QuizRun::Review);
        TAbfrageForm &form = quiz.form;
        QCOMPARE(form.Wieviel->text(), QStringLiteral("Noch 0 Karten."));
        for (QToolButton *button : {form.Loesung, form.Ok, form.Falsch})
            QVERIFY(!button->isEnabled());
        // Pictures are drawn, not loaded from files that could be missing.
        for (QToolButton *button : {form.SpeedButton1, form.Loesung, form.Ok, form.Falsch})
            QVERIFY(!button->icon().isNull());
        QVERIFY(!form.Image1->pixmap().isNull());
    }

    void layoutFollowsTheWindowSize()
    {
        CardSet set;
        setWithBoxes(set, {1});
        Quiz quiz(set, QuizRun::Review);
        TAbfrageForm &form = quiz.form;
        form.setFaceSize(QSize(401, 301));
        form.setWindowState(Qt::WindowNoState);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.resize(1001, 701);
        QTRY_COMPARE(form.size(), QSize(1001, 701));
        QCOMPARE(form.Abfrage->geometry(), QRect(500 - 200, 350 - 150, 401, 301));
        QCOMPARE(form.Panel1->pos(), QPoint(500 - 165, 48));
        QCOMPARE(form.Image1->geometry(), QRect(0, 0, 1001, 43));
        QCOMPARE(form.Wieviel->y(), 701 - form.Wieviel->height() - 10);
        QCOMPARE(form.Wieviel->x(), 500 - form.Wieviel->width() / 2);
    }

    void questionAndAnswerStates()
    {
        CardSet set;
        setWithBoxes(set, {2, 2, 2});
        Quiz quiz(set, QuizRun::Review);
        TAbfrageForm &form = quiz.form;
        form.run().buildList(2);
        form.ShowNextCard();
        QCOMPARE(form.Wieviel->text(), QStringLiteral("Noch 3 Karten."));
        const int card = shownCard(form);
        QCOMPARE(form.Abfrage->toPlainText(), QStringLiteral("Frage %1").arg(card));
        QVERIFY(form.Loesung->isEnabled());
        QVERIFY(!form.Ok->isEnabled());
        QVERIFY(!form.Falsch->isEnabled());
        form.OkClick(); // ignored before the answer
        QCOMPARE(form.Wieviel->text(), QStringLiteral("Noch 3 Karten."));

        form.Loesung->click();
        QCOMPARE(form.Abfrage->toPlainText(), QStringLiteral("Antwort %1").arg(card));
        QVERIFY(!form.Loesung->isEnabled());
        QVERIFY(form.Ok->isEnabled());
        QVERIFY(form.Falsch->isEnabled());

        form.Ok->click();
        QCOMPARE(set.box(card), 3);
        QCOMPARE(form.Wieviel->text(), QStringLiteral("Noch 2 Karten."));
        form.Loesung->click();
        form.Falsch->click();
        QCOMPARE(form.Wieviel->text(), QStringLiteral("Noch 1 Karten."));
        QVERIFY(quiz.messages.isEmpty());
        form.Loesung->click();
        form.Falsch->click();
        QCOMPARE(quiz.messages, QStringList(QStringLiteral("Es wurden alle Karteikarten abgefragt.")));
        QVERIFY(form.ended());
        QCOMPARE(set.boxCount(3), 1);
        QCOMPARE(set.boxCount(1), 2);
    }

    void keysWorkTheQuiz()
    {
        CardSet set;
        setWithBoxes(set, {2, 2, 2, 2});
        Quiz quiz(set, QuizRun::Review);
        TAbfrageForm &form = quiz.form;
        form.run().buildList(2);
        form.ShowNextCard();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        int card = shownCard(form);
        QTest::keyClick(&form, Qt::Key_J); // no verdict before the answer
        QCOMPARE(form.run().remaining(), 4);
        QTest::keyClick(&form, Qt::Key_Space);
        QCOMPARE(form.Abfrage->toPlainText(), QStringLiteral("Antwort %1").arg(card));
        QTest::keyClick(&form, Qt::Key_J);
        QCOMPARE(set.box(card), 3);

        card = shownCard(form);
        QTest::keyClick(&form, Qt::Key_Return);
        QTest::keyClick(&form, Qt::Key_Left);
        QCOMPARE(set.box(card), 1);

        card = shownCard(form);
        QTest::keyClick(&form, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(&form, Qt::Key_Right);
        QCOMPARE(set.box(card), 3);

        // A held key gives one verdict, not a row of them.
        card = shownCard(form);
        QTest::keyClick(&form, Qt::Key_Space);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, QStringLiteral("n"), true);
        QApplication::sendEvent(&form, &held);
        QCOMPARE(set.box(card), 2);
        QTest::keyClick(&form, Qt::Key_N);
        QCOMPARE(set.box(card), 1);
        QCOMPARE(quiz.messages.size(), 1);
        QVERIFY(!form.isVisible());
    }

    void aLongFaceScrollsByKeys()
    {
        CardSet set;
        setWithBoxes(set, {1});
        QByteArray longFace = "{\\rtf1\\ansi ";
        for (int line = 0; line < 200; ++line)
            longFace += "Zeile " + QByteArray::number(line) + "\\par ";
        set.setFront(0, longFace + "}");
        Quiz quiz(set, QuizRun::Review);
        TAbfrageForm &form = quiz.form;
        form.setFaceSize(QSize(300, 200));
        form.run().buildList(0);
        form.ShowNextCard();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QScrollBar *bar = form.Abfrage->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), 0);
        QTest::keyClick(&form, Qt::Key_PageDown);
        QVERIFY(bar->value() > 0);
        QTest::keyClick(&form, Qt::Key_PageUp);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(form.run().phase(), QuizRun::Phase::Question);
    }

    void escapeEndsAndKeepsTheVerdicts()
    {
        CardSet set;
        setWithBoxes(set, {2, 2, 2, 2});
        Quiz quiz(set, QuizRun::Review);
        TAbfrageForm &form = quiz.form;
        form.run().buildList(0);
        form.ShowNextCard();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (int verdict = 0; verdict < 2; ++verdict) {
            form.LoesungClick();
            form.OkClick();
        }
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.ended());
        QVERIFY(!form.isVisible());
        QVERIFY(quiz.messages.isEmpty());
        QCOMPARE(set.boxCount(3), 2);
        QCOMPARE(set.boxCount(2), 2);
    }

    void cancellingTheDialogChangesNothing()
    {
        CardSet set;
        fillBoxes(set, {1, 3, 4});
        RandomGenerator random(1);
        whenModal<TKasten>([](TKasten *dialog) {
            dialog->SpeedButton1->click();
            dialog->reject();
        });
        QVERIFY(!QuizCommand::run(set, nullptr, QSize(300, 200), random));
        QVERIFY(!set.Modified());
        QCOMPARE(boxesOf(set), QList<qint32>({1, 3, 4}));
    }

    void aQuizEndedAtOnceStillMarksTheSet()
    {
        CardSet set;
        fillBoxes(set, {1, 3, 4});
        RandomGenerator random(1);
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
        QVERIFY(QuizCommand::run(set, nullptr, QSize(300, 200), random));
        QVERIFY(set.Modified());
        QCOMPARE(faceSize, QSize(300, 200));
        // "Alle in den ersten Kasten" took effect when the quiz started.
        QCOMPARE(boxesOf(set), QList<qint32>({1, 1, 1}));
    }

    void theChosenBoxIsAsked()
    {
        CardSet set;
        setWithBoxes(set, {1, 2, 1, 4, 2, 1, 3});
        RandomGenerator random(9);
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
        QVERIFY(QuizCommand::run(set, nullptr, QSize(300, 200), random));
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
        RandomGenerator random(1);
        QString message;
        whenModal<TKasten>([](TKasten *dialog) { dialog->SpeedButton2->click(); });
        whenModal<QMessageBox>([&message](QMessageBox *box) {
            message = box->text();
            box->accept();
        });
        QVERIFY(QuizCommand::run(set, nullptr, QSize(300, 200), random));
        QCOMPARE(message, QStringLiteral("Es wurden alle Karteikarten abgefragt."));
        QVERIFY(set.Modified());
    }

    // The box dialog.
    void startsWithTheCountsAndNothingChosen()
    {
        CardSet set;
        sevenCards(set);
        TKasten dialog(set);
        QCOMPARE(itemTexts(dialog.Abteilungen),
                 QStringList({QStringLiteral("1.Kasten (3)"), QStringLiteral("2.Kasten (2)"), QStringLiteral("3.Kasten (1)"),
                              QStringLiteral("4.Kasten (1)")}));
        QVERIFY(dialog.Abteilungen->selectedItems().isEmpty());
        QCOMPARE(checkedCount(dialog.Abteilungen), 0);
        QCOMPARE(dialog.choice().selectedBox(), 0);
        QCOMPARE(dialog.CramSize(), 5);
    }

    void aClickAnywhereOnAnItemChoosesIt()
    {
        CardSet set;
        sevenCards(set);
        TKasten dialog(set);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget *list = dialog.Abteilungen;

        // A click on the check box of box 2 ticks it and chooses it.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, checkBoxOf(list, 1));
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
        QCOMPARE(dialog.choice().selectedBox(), 2);

        // Ticks on 1 and 2, then a click on the text of 4: box 4 only.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, checkBoxOf(list, 0));
        QCOMPARE(checkedCount(list), 2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, textOf(list, 3));
        QCOMPARE(dialog.choice().selectedBox(), 4);
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(checkedCount(list), 2);

        // Space on the current item ticks and chooses it, as a click would.
        list->setFocus();
        list->setCurrentRow(2, QItemSelectionModel::Clear);
        QCOMPARE(dialog.choice().selectedBox(), 0);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->item(2)->checkState(), Qt::Checked);
        QCOMPARE(dialog.choice().selectedBox(), 3);
    }

    void allToFirstBoxShowsNewCountsAndKeepsTheDialogOpen()
    {
        CardSet set;
        sevenCards(set);
        TKasten dialog(set);
        dialog.show();
        dialog.Abteilungen->item(3)->setCheckState(Qt::Checked);
        dialog.Abteilungen->item(2)->setSelected(true);
        QCOMPARE(dialog.choice().selectedBox(), 3);
        dialog.SpeedButton1->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(itemTexts(dialog.Abteilungen),
                 QStringList({QStringLiteral("1.Kasten (7)"), QStringLiteral("2.Kasten (0)"), QStringLiteral("3.Kasten (0)"),
                              QStringLiteral("4.Kasten (0)")}));
        QVERIFY(dialog.Abteilungen->selectedItems().isEmpty());
        QCOMPARE(checkedCount(dialog.Abteilungen), 0);
        QCOMPARE(dialog.choice().selectedBox(), 0);
        QVERIFY(dialog.choice().allToFirst());
        // The set itself changes only when the quiz starts.
        QCOMPARE(boxesOf(set), QList<qint32>({1, 2, 1, 4, 2, 1, 3}));
    }

    // The buttons' modes are the quiz command's test; Escape is this one's.
    void escapeCancels()
    {
        CardSet set;
        sevenCards(set);
        TKasten dialog(set);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(TKasten::Cancelled));
    }

    void aTypedSizeIsTakenWithinItsBounds()
    {
        CardSet set;
        sevenCards(set);
        TKasten dialog(set);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        dialog.Wieviele->setFocus();
        QLineEdit *edit = dialog.Wieviele->findChild<QLineEdit *>();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("12"));
        QCOMPARE(dialog.CramSize(), 12);
        // Not yet corrected by the field: a size below 5 still gives 5.
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("3"));
        QCOMPARE(dialog.CramSize(), 5);
        edit->clear();
        QCOMPARE(dialog.CramSize(), 5);

        // Enter right after typing the size starts cramming.
        QTRY_VERIFY(dialog.SpeedButton3->isDefault());
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("40"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(TKasten::Cramming));
        QCOMPARE(dialog.CramSize(), 40);
    }
};

QTEST_MAIN(TestQuizWindows)
#include "tst_quizwindows.moc"
