#include "ModalGuard.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>

// The guard every window test runs under; here it reports to the test
// instead of failing it.
class TestModalGuard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void anUnexpectedDialogIsClosedAndNamed()
    {
        QStringList reports;
        ModalGuard guard([&reports](const QString &message) { reports.append(message); });
        QMessageBox box(QMessageBox::Question, QStringLiteral("Papierwechsel"), QStringLiteral("Weiter?"), QMessageBox::Yes);
        QElapsedTimer clock;
        clock.start();
        // Without an escape button the box ignores its close box; it still ends.
        box.exec();
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(reports, QStringList{QStringLiteral("unexpected modal window \"Papierwechsel\" (QMessageBox)")});

        // Announced, the same box runs until its script answers it; its next
        // showing is judged anew.
        whenModal<QMessageBox>([](QMessageBox *shown) {
            QTest::qWait(200);
            shown->button(QMessageBox::Yes)->click();
        });
        QCOMPARE(box.exec(), int(QMessageBox::Yes));
        QCOMPARE(reports.size(), 1);
        box.exec();
        QCOMPARE(reports.size(), 2);
    }
};

QTEST_MAIN(TestModalGuard)
#include "tst_modalguard.moc"
