#include "../ModalGuard.h"
#include "history/TLernstandForm.h"

#include "cardset/ArchiveWriter.h"
#include "cardset/CardSet.h"
#include "cardset/CardSetFile.h"
#include "quiz/QuizCommand.h"
#include "quiz/RandomGenerator.h"
#include "quiz/TKasten.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void addCards(CardSet &set, const QList<int> &boxes)
{
    for (int box : boxes)
        set.AddCard({"{\\rtf1 Frage}", "{\\rtf1 Antwort}", box, false});
}

// The bars of today's boxes as drawn.
QList<qreal> todaysBars(const TLernstandForm &form)
{
    const auto *series = qobject_cast<QBarSeries *>(form.KastenHeute->chart()->series().value(0));
    QList<qreal> values;
    if (series)
        for (int i = 0; i < series->barSets().at(0)->count(); ++i)
            values.append(series->barSets().at(0)->at(i));
    return values;
}

} // namespace

class TestLernstandForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyHistoryShowsTodaysBoxesAndFollowsTheSet()
    {
        CardSet set;
        addCards(set, {1, 1, 2, 4, 3});
        TLernstandForm form(set, QStringLiteral("Vokabeln.ql3"));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("Lernstand – Vokabeln.ql3"));
        QCOMPARE(form.Hinweis->text(), QStringLiteral("Für diese Kartei wurden noch keine Antworten aufgezeichnet."));
        QVERIFY(form.Hinweis->isVisible());
        QCOMPARE(form.NochNieAbgefragt->text(), QStringLiteral("Noch nie abgefragt: 5"));
        QVERIFY(form.KastenHeute->isVisible());
        QVERIFY(!form.KastenVerlauf->isVisible() && !form.AntwortenProTag->isVisible() && !form.AnteilGewusst->isVisible());
        QCOMPARE(todaysBars(form), (QList<qreal>{2, 1, 1, 1}));

        // A change of the set, as a quiz's end is, shows without a prompt.
        set.setBox(0, 4);
        QTRY_COMPARE(todaysBars(form), (QList<qreal>{1, 1, 1, 2}));
        set.recordAnswer(1, LearningAnswer::Mode::Review, true, 1, 2, QDateTime::currentSecsSinceEpoch());
        set.setBox(1, 2);
        QTRY_VERIFY(form.AntwortenProTag->isVisible());
        QVERIFY(form.KastenVerlauf->isVisible() && form.AnteilGewusst->isVisible() && !form.Hinweis->isVisible());
        QCOMPARE(form.NochNieAbgefragt->text(), QStringLiteral("Noch nie abgefragt: 4"));

        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    }

    void aHistoryNotOursSaysWhy_data()
    {
        QTest::addColumn<QByteArray>("chunk");
        QTest::addColumn<QString>("reason");
        QTest::newRow("foreign") << QByteArray("PK\x03\x04 zip") << QStringLiteral("Zusatzdaten eines anderen Programms");
        QTest::newRow("damaged") << QByteArray("QLHIST\x01\x05\x01\x02\x00\x00\x00\x00\x00")
                                 << QStringLiteral("ist beschädigt (die Daten brechen vorzeitig ab)");
        QTest::newRow("later") << QByteArray("QLHIST\x02 whatever comes") << QStringLiteral("stammt aus einer neueren Version");
    }
    void aHistoryNotOursSaysWhy()
    {
        QFETCH(QByteArray, chunk);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        CardSetFileContext context{dir.filePath(QStringLiteral("scratch")), PageOrientation::Portrait};
        const QString file = dir.filePath(QStringLiteral("fremd.ql3"));
        CardSet set;
        addCards(set, {2, 3});
        QVERIFY(CardSetFile::SaveCardSet(set, file, context).ok());
        {
            ArchiveWriter writer(file);
            writer.appendData(QStringLiteral("x"), chunk);
            writer.finish();
        }
        CardSet loaded;
        QVERIFY(CardSetFile::LoadCardSet(loaded, file, context).ok());
        TLernstandForm form(loaded, QString());
        form.show();
        QVERIFY(form.windowTitle().startsWith(QStringLiteral("Lernstand – fremd.")));
        QVERIFY2(form.Hinweis->text().contains(reason), qPrintable(form.Hinweis->text()));
        QVERIFY(form.Hinweis->isVisible());
        QCOMPARE(todaysBars(form), (QList<qreal>{0, 1, 1, 0}));
    }

    void closesWithItsSet()
    {
        auto set = std::make_unique<CardSet>();
        addCards(*set, {1});
        TLernstandForm form(*set, QString());
        form.show();
        set.reset();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.set(), nullptr);
        form.refresh();
    }

    void opensOverTheBoxDialog()
    {
        CardSet set;
        addCards(set, {1, 2});
        RandomGenerator random(1);
        bool shown = false;
        whenModal<TKasten>([](TKasten *dialog) { dialog->LernstandButton->click(); });
        whenModal<TLernstandForm>([&shown](TLernstandForm *form) {
            shown = form->NochNieAbgefragt->text() == QStringLiteral("Noch nie abgefragt: 2");
            form->Schliessen->click();
            whenModal<TKasten>([](TKasten *dialog) { dialog->reject(); });
        });
        QVERIFY(!QuizCommand::run(set, nullptr, QSize(300, 200), random));
        QVERIFY(shown);
    }
};

QUILLO_GUI_TEST_MAIN(TestLernstandForm)
#include "tst_lernstandform.moc"
