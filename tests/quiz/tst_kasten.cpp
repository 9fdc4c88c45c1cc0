#include "BoxedSet.h"

#include "quiz/TKasten.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTest>

namespace {

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

class TestKasten : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

QTEST_MAIN(TestKasten)
#include "tst_kasten.moc"
