#include "quiz/DueCards.h"

#include <QElapsedTimer>
#include <QTest>

#include <ctime>

namespace {

// A local time in Berlin, where the test runs.
QDateTime local(const char *text)
{
    const QDateTime time = QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm"));
    Q_ASSERT(time.isValid());
    return time;
}

LearningAnswer answer(quint32 card, const char *time)
{
    LearningAnswer given;
    given.card = card;
    given.time = local(time).toSecsSinceEpoch();
    return given;
}

// Whether one card, answered last at `answered`, is due at `now` in `box`.
bool due(const char *answered, const char *now, qint32 box = 1)
{
    return DueCards({answer(7, answered)}, {7}, {box}, DueCards::DefaultIntervals, local(now)).isDue(0);
}

} // namespace

class TestDueCards : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
        QCOMPARE(local("2026-03-29 12:00").offsetFromUtc(), 7200);
    }

    void dueByLocalCalendarDays()
    {
        // Box 1: a day, from midnight to midnight.
        QVERIFY(due("2026-06-09 23:59", "2026-06-10 00:01"));
        QVERIFY(!due("2026-06-10 00:01", "2026-06-10 23:59"));
        // Box 3, seven days: due on the seventh day, not on the sixth.
        QVERIFY(due("2026-06-03 23:59", "2026-06-10 00:00", 3));
        QVERIFY(!due("2026-06-04 00:00", "2026-06-10 23:59", 3));
        // Boxes outside 1 to 4 take the nearest one's interval.
        QVERIFY(!due("2026-06-01 12:00", "2026-06-10 12:00", 7));
        QVERIFY(due("2026-05-27 12:00", "2026-06-10 12:00", 7));
        QVERIFY(due("2026-06-09 12:00", "2026-06-10 12:00", 0));
        // An answer dated after now came from a wrong clock: due, not hidden.
        QVERIFY(due("2027-01-01 12:00", "2026-06-10 12:00", 4));
    }

    void aDayIsADayAcrossTheClockChange()
    {
        // Spring: 23 hours 50 minutes span the night into Sunday, a day on.
        QVERIFY(due("2026-03-28 00:30", "2026-03-29 00:20"));
        // Autumn: a 25-hour Sunday, 24 hours 20 minutes within it.
        QVERIFY(!due("2026-10-25 00:30", "2026-10-25 23:50"));
        QVERIFY(due("2026-10-22 23:00", "2026-10-25 00:00", 2));
        QVERIFY(!due("2026-10-23 00:00", "2026-10-25 23:59", 2));
    }

    void theLastAnswerOfEachCardCounts()
    {
        // Cards 11 to 17 in boxes 1, 1, 2, 3, 4, 0, 5; answers of a card no
        // longer in the set are passed over.
        const QList<LearningAnswer> answers = {
            answer(11, "2026-06-01 10:00"), answer(12, "2026-06-01 10:00"), answer(99, "2026-06-10 10:00"), answer(12, "2026-06-10 09:00"),
            answer(13, "2026-06-08 10:00"), answer(15, "2026-05-20 10:00"), answer(16, "2026-06-10 08:00"), answer(17, "2026-06-09 08:00"),
        };
        const QList<quint32> ids = {11, 12, 13, 14, 15, 16, 17};
        DueCards cards(answers, ids, {1, 1, 2, 3, 4, 0, 5}, {1, 3, 7, 14}, local("2026-06-10 12:00"));
        QList<bool> flags;
        for (int card = 0; card < cards.count(); ++card)
            flags.append(cards.isDue(card));
        QCOMPARE(flags, QList<bool>({true, false, false, true, true, false, false}));
        QCOMPARE(QList<int>({cards.dueCount(1), cards.dueCount(2), cards.dueCount(3), cards.dueCount(4), cards.dueCount(0)}),
                 QList<int>({1, 0, 1, 1, 0}));
        QCOMPARE(cards.dueTotal(), 3);
        QCOMPARE(cards.neverAsked(), 1);
        QCOMPARE(cards.dueOnly({6, 4, 3, 0, 1, 42, -1}), QList<qint32>({4, 3, 0}));

        // All back to box 1: yesterday's answer is due again.
        cards.setBoxes(QList<qint32>(ids.size(), 1));
        QCOMPARE(cards.dueCount(1), 5);
        // Intervals out of range are held to 1 to 365.
        DueCards held(answers, ids, QList<qint32>(ids.size(), 4), {0, 0, 0, 1000}, local("2026-06-10 12:00"));
        QCOMPARE(held.dueTotal(), 1);
    }

    void aMillionAnswersInOnePass()
    {
        constexpr int Cards = 100000;
        QList<quint32> ids(Cards);
        QList<LearningAnswer> answers(1000000);
        const QDateTime now = local("2026-06-10 12:00");
        for (int i = 0; i < answers.size(); ++i) {
            ids[i % Cards] = quint32(Cards - i % Cards);
            answers[i].card = quint32(1 + (qint64(i) * 7919) % Cards);
            answers[i].time = now.toSecsSinceEpoch() - 10 * (answers.size() - i);
        }
        QElapsedTimer timer;
        timer.start();
        const DueCards cards(answers, ids, QList<qint32>(Cards, 1), DueCards::DefaultIntervals, now);
        qInfo("1,000,000 answers over %d cards: %lld ms", Cards, qlonglong(timer.elapsed()));
        // The last answers lie within the last 12 days, half a day of them today.
        QVERIFY(cards.dueTotal() > Cards * 9 / 10 && cards.dueTotal() < Cards && cards.neverAsked() == 0);
    }
};

QTEST_GUILESS_MAIN(TestDueCards)
#include "tst_duecards.moc"
