#include "../ModalGuard.h"

#include "cardset/CardSet.h"
#include "print/PrintLayoutPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

// What the window's own test cannot see: the page against a set of its own.
class TestPrintLayoutPage : public QObject
{
    Q_OBJECT

private slots:
    // Filling the controls is no change of the set; the stored values are
    // shown as they are stored, not as the controls would recompute them.
    void showsTheSetWithoutChangingIt()
    {
        PrintOptions options;
        options.AktPrintCards = 5;
        options.titelProzent = 33;
        options.HeaderText = QStringLiteral("Kopf");
        options.HeaderMargins.Left = -12;
        options.PrintCR = true;
        CardSet set;
        set.startNew(options, FontRecord(), FontRecord());
        PrintLayoutPage page(set, Qt::white);
        page.showSettings();
        QVERIFY(!set.Modified());
        QCOMPARE(set.printOptions(), options);
        QCOMPARE((QStringList{child<QComboBox>(page, "AnzahlCombo")->currentText(), child<QLabel>(page, "titelPanel")->text(),
                              QString::number(child<QSpinBox>(page, "LinksSpin")->value()), page.KopfZeile()->text()}),
                 (QStringList{"4 Karten/Blatt", "33 %", "-12", "Kopf"}));
        QVERIFY(child<QCheckBox>(page, "CopyRCheck")->isChecked());
    }

    // A control the user changes writes the set; choosing the entry shown
    // in the selector counts as a change too and refits the editors.
    void controlsWriteTheSet()
    {
        CardSet set;
        set.startNew(PrintOptions(), FontRecord(), FontRecord());
        PrintLayoutPage page(set, Qt::white);
        QSignalSpy layoutChanged(&page, &PrintLayoutPage::layoutChanged);
        child<QSpinBox>(page, "UntenSpin")->setValue(9);
        child<QCheckBox>(page, "KNummer")->click();
        QVERIFY(set.Modified() && !set.printOptions().PrintNummer);
        QCOMPARE(set.printOptions().HeaderMargins.Bottom, 9);
        QCOMPARE(layoutChanged.count(), 0);

        set.startNew(set.printOptions(), FontRecord(), FontRecord());
        auto *combo = child<QComboBox>(page, "AnzahlCombo");
        emit combo->activated(combo->currentIndex());
        QVERIFY(set.Modified());
        QCOMPARE(layoutChanged.count(), 1);
        page.chooseCardsPerSheet(3);
        QCOMPARE((QList<int>{combo->currentIndex(), set.printOptions().AktPrintCards}), (QList<int>{3, 8}));
    }

    // The header and footer lines and the bevel end a little short of the
    // page's right edge, however wide it is.
    void linesFollowTheWidth()
    {
        CardSet set;
        PrintLayoutPage page(set, Qt::white);
        auto *content = child<QWidget>(page, "OptionenInhalt");
        auto *bevel = child<QFrame>(page, "Bevel1");
        for (const int width : {700, 1000}) {
            page.resize(width, 500);
            page.show();
            QVERIFY(QTest::qWaitForWindowExposed(&page));
            QTRY_COMPARE(content->width(), child<QScrollArea>(page, "ScrollBox3")->viewport()->width());
            for (QLineEdit *edit : {page.KopfZeile(), page.CopyEdit()})
                QCOMPARE(edit->geometry().right(), content->width() - 4);
            QCOMPARE(bevel->width(), content->width() - 6);
        }
    }
};

QUILLO_GUI_TEST_MAIN(TestPrintLayoutPage)
#include "tst_printlayoutpage.moc"
