#include "../ModalGuard.h"

#include "cardset/CardSet.h"
#include "print/PrintLayoutPage.h"

#include <QFrame>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>

// The page's own layout; what it shows and writes is the window test's.
class TestPrintLayoutPage : public QObject
{
    Q_OBJECT

private slots:
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
