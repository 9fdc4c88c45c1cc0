#include "app/CommandStateRules.h"
#include "app/WindowTiling.h"

#include <QTest>

class TestAppRules : public QObject
{
    Q_OBJECT

private slots:
    void documentCommandsCountTheClosingWindow()
    {
        QVERIFY(!CommandStateRules::documentCommandsEnabled(0, false));
        QVERIFY(!CommandStateRules::documentCommandsEnabled(0, true));
        QVERIFY(CommandStateRules::documentCommandsEnabled(1, false));
        QVERIFY(!CommandStateRules::documentCommandsEnabled(1, true));
        QVERIFY(CommandStateRules::documentCommandsEnabled(2, true));
    }

    void tilesCoverTheAreaWithoutOverlap_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("horizontal");
        for (int count : {1, 2, 3, 4, 5, 7, 10}) {
            QTest::addRow("h%d", count) << count << true;
            QTest::addRow("v%d", count) << count << false;
        }
    }
    void tilesCoverTheAreaWithoutOverlap()
    {
        QFETCH(int, count);
        QFETCH(bool, horizontal);
        const QRect area(10, 20, 1001, 603);
        const QList<QRect> places = horizontal ? WindowTiling::horizontal(area, count) : WindowTiling::vertical(area, count);
        QCOMPARE(places.size(), count);
        qint64 covered = 0;
        for (qsizetype i = 0; i < places.size(); ++i) {
            QVERIFY(area.contains(places.at(i)));
            covered += qint64(places.at(i).width()) * places.at(i).height();
            for (qsizetype j = i + 1; j < places.size(); ++j)
                QVERIFY(!places.at(i).intersects(places.at(j)));
        }
        QCOMPARE(covered, qint64(area.width()) * area.height());
    }

    void twoWindowsStackOrStandSideBySide()
    {
        const QRect area(0, 0, 800, 600);
        QCOMPARE(WindowTiling::horizontal(area, 2), (QList<QRect>{QRect(0, 0, 800, 300), QRect(0, 300, 800, 300)}));
        QCOMPARE(WindowTiling::vertical(area, 2), (QList<QRect>{QRect(0, 0, 400, 600), QRect(400, 0, 400, 600)}));
    }

    void iconsLineUpAlongTheBottom()
    {
        const QList<QRect> places = WindowTiling::iconRow(QRect(0, 0, 500, 400), QSize(200, 30), 3);
        QCOMPARE(places, (QList<QRect>{QRect(0, 370, 200, 30), QRect(200, 370, 200, 30), QRect(0, 340, 200, 30)}));
    }
};

QTEST_MAIN(TestAppRules)
#include "tst_apprules.moc"
