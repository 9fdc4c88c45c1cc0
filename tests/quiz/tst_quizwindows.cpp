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

// The box dialog over nine cards: three in box 1, two in 2, one in 3 and 4,
// and two of a damaged file that are in no box.
struct BoxDialog
{
    BoxDialog()
        : dialog((fillBoxes(set, {1, 2, 1, 4, 2, 1, 3, 0, 5}), set))
    {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }
    // The items' texts, a ticked one with a "+".
    QString items() const
    {
        QStringList texts;
        for (int row = 0; row < dialog.Abteilungen->count(); ++row)
            texts.append(dialog.Abteilungen->item(row)->text() + (dialog.Abteilungen->item(row)->checkState() ? "+" : ""));
        return texts.join(u' ');
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

        // Each key for the answer and for either verdict. A verdict before the
        // answer counts nothing, nor does a held key: one verdict, not a row.
        const std::tuple<Qt::Key, Qt::Key, int> keys[] = {{Qt::Key_Space, Qt::Key_J, 3},
                                                          {Qt::Key_Return, Qt::Key_Left, 1},
                                                          {Qt::Key_Enter, Qt::Key_Right, 3},
                                                          {Qt::Key_Space, Qt::Key_N, 1}};
        for (int left = 4; auto [answer, verdict, box] : keys) {
            QCOMPARE(form.Wieviel->text(), QStringLiteral("Noch %1 Karten.").arg(left--));
            card = quiz.shownCard();
            QTest::keyClick(&form, verdict);
            QTest::keyClick(&form, answer);
            QCOMPARE(form.Abfrage->toPlainText(), QStringLiteral("Antwort %1").arg(card));
            QKeyEvent held(QEvent::KeyPress, verdict, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(&form, &held);
            QCOMPARE(quiz.set.box(card), 2);
            QVERIFY(quiz.messages.isEmpty());
            QTest::keyClick(&form, verdict);
            QCOMPARE(quiz.set.box(card), box);
        }
        QCOMPARE(quiz.messages, QStringList(QStringLiteral("Es wurden alle Karteikarten abgefragt.")));
        QVERIFY(form.ended() && !form.isVisible());
        // Held keys and verdicts before the answer recorded nothing.
        QCOMPARE(quiz.set.history().answers().size(), 6);
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
        // Escape ends without the end message.
        QTest::keyClick(&quiz.form, Qt::Key_Escape);
        QVERIFY(quiz.form.ended() && !quiz.form.isVisible());
        QVERIFY(quiz.messages.isEmpty());
    }

    // The command: the set is read anew from a file before each run.
    void theCommandAsksWhatTheBoxDialogChose()
    {
        CardSet set;
        whenModal<TKasten>([](TKasten *dialog) {
            dialog->SpeedButton1->click();
            dialog->reject();
        });
        QVERIFY(!runQuiz(set, {1, 3, 4}) && !set.Modified());
        QCOMPARE(boxesOf(set), QList<qint32>({1, 3, 4}));

        // A quiz ended at once still marks the set.
        QList<qint32> list;
        QuizRun::Mode mode = QuizRun::Cramming;
        QSize faceSize;
        const auto endAtOnce = [&](TAbfrageForm *form) {
            list = form->run().QuizList();
            mode = form->run().QuizMode();
            faceSize = form->Abfrage->size();
            form->SpeedButton1->click();
        };
        whenModal<TKasten>([](TKasten *dialog) {
            dialog->Abteilungen->item(1)->setSelected(true);
            dialog->SpeedButton2->click();
        });
        whenModal<TAbfrageForm>(endAtOnce);
        QVERIFY(runQuiz(set, {1, 2, 1, 4, 2, 1, 3}) && set.Modified());
        QVERIFY(list == QList<qint32>({1, 4}) && mode == QuizRun::Review && faceSize == QSize(300, 200));
        // Without "Alle in den ersten Kasten" the boxes stay.
        QCOMPARE(boxesOf(set), QList<qint32>({1, 2, 1, 4, 2, 1, 3}));

        whenModal<TKasten>([](TKasten *dialog) {
            dialog->SpeedButton1->click();
            dialog->SpeedButton3->click();
        });
        whenModal<TAbfrageForm>(endAtOnce);
        QVERIFY(runQuiz(set, {1, 3, 4}) && set.Modified());
        QVERIFY(list == QList<qint32>({0, 1, 2}) && mode == QuizRun::Cramming);
        // "Alle in den ersten Kasten" took effect when the quiz started.
        QCOMPARE(boxesOf(set), QList<qint32>({1, 1, 1}));

        // The one run over a set without cards: no window, the end message, a change.
        QString message;
        whenModal<TKasten>([](TKasten *dialog) { dialog->SpeedButton2->click(); });
        whenModal<QMessageBox>([&message](QMessageBox *box) {
            message = box->text();
            box->accept();
        });
        QVERIFY(runQuiz(set, {}) && set.Modified());
        QCOMPARE(message, QStringLiteral("Es wurden alle Karteikarten abgefragt."));
    }

    // The box dialog.
    void keysChooseEveryBoxInTurnAndAllGoToTheFirst()
    {
        BoxDialog box;
        box.dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box.dialog));
        QListWidget *list = box.dialog.Abteilungen;
        QCOMPARE(box.items(), QStringLiteral("1.Kasten (3) 2.Kasten (2) 3.Kasten (1) 4.Kasten (1)"));
        QCOMPARE(QApplication::focusWidget(), list);
        QVERIFY(list->selectedItems().isEmpty() && box.dialog.choice().selectedBox() == 0);
        QList<int> chosen;
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
            QTest::keyClick(list, key);
            chosen.append(box.dialog.choice().selectedBox());
        }
        QCOMPARE(chosen, QList<int>({1, 2, 3, 4, 4, 3}));

        // "Alle in den ersten Kasten" shows the new counts, clears choice and
        // ticks and keeps the dialog open; the set changes when the quiz starts.
        list->item(3)->setCheckState(Qt::Checked);
        box.dialog.SpeedButton1->click();
        QVERIFY(box.dialog.isVisible());
        QCOMPARE(box.items(), QStringLiteral("1.Kasten (9) 2.Kasten (0) 3.Kasten (0) 4.Kasten (0)"));
        QVERIFY(list->selectedItems().isEmpty() && box.dialog.choice().selectedBox() == 0);
        QCOMPARE(boxesOf(box.set), QList<qint32>({1, 2, 1, 4, 2, 1, 3, 0, 5}));

        // A typed size counts at once, one below 5 as 5 since the field
        // corrects it only later; Enter right after typing starts cramming.
        box.dialog.Wieviele->setFocus();
        QLineEdit *edit = box.dialog.Wieviele->findChild<QLineEdit *>();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("3"));
        QCOMPARE(box.dialog.CramSize(), 5);
        QTRY_VERIFY(box.dialog.SpeedButton3->isDefault());
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("40"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(box.dialog.result() == TKasten::Cramming && box.dialog.CramSize() == 40);
    }

    void aClickAnywhereOnAnItemChoosesIt()
    {
        BoxDialog box;
        QListWidget *list = box.dialog.Abteilungen;
        // A click on the check box of box 2 ticks it and chooses it.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, checkBoxOf(list, 1));
        QVERIFY(list->item(1)->checkState() == Qt::Checked && box.dialog.choice().selectedBox() == 2);

        // Ticks on 1 and 2, then a click on the text of 4: box 4 only.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, checkBoxOf(list, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(3)).center());
        QVERIFY(box.dialog.choice().selectedBox() == 4 && list->selectedItems().size() == 1);
        QCOMPARE(box.items(), QStringLiteral("1.Kasten (3)+ 2.Kasten (2)+ 3.Kasten (1) 4.Kasten (1)"));

        // Space on the current item ticks and chooses it, as a click would.
        list->setFocus();
        list->setCurrentRow(2, QItemSelectionModel::Clear);
        QCOMPARE(box.dialog.choice().selectedBox(), 0);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->item(2)->checkState(), Qt::Checked);
        QCOMPARE(box.dialog.choice().selectedBox(), 3);
    }
};

QUILLO_GUI_TEST_MAIN(TestQuizWindows)
#include "tst_quizwindows.moc"
