#include "history/LearningStatistics.h"

#include <QDateTime>
#include <QTest>

#include <ctime>

namespace {

using Period = LearningStatistics::Period;
using Counts = LearningStatistics::BoxCounts;

constexpr quint32 FarId = 4000000000u;
const QDate Today(2026, 3, 10);

qint64 at(QDate date, int hour, int minute = 0)
{
    return QDateTime(date, QTime(hour, minute)).toSecsSinceEpoch();
}

LearningAnswer answer(quint32 card, qint64 time, bool known, int before, int after)
{
    LearningAnswer result;
    result.card = card;
    result.time = time;
    result.known = known;
    result.boxBefore = quint8(before);
    result.boxAfter = quint8(after);
    return result;
}

// Four cards, one far identity among them, and an answer of a card
// since deleted. Card 12 was put back into box 1 between quizzes, and 14
// was never asked.
struct SmallHistory
{
    QList<LearningAnswer> answers{
        answer(FarId, at(QDate(2026, 2, 20), 10), false, 1, 1),  answer(11, at(QDate(2026, 3, 5), 9), true, 1, 2),
        answer(12, at(QDate(2026, 3, 5), 9, 1), false, 1, 1),    answer(11, at(QDate(2026, 3, 7), 10), true, 2, 3),
        answer(FarId, at(QDate(2026, 3, 7), 10, 1), true, 1, 2), answer(99, at(QDate(2026, 3, 8), 11), true, 2, 3),
        answer(12, at(QDate(2026, 3, 9), 12), true, 1, 2),       answer(12, at(QDate(2026, 3, 9), 12, 5), false, 2, 1),
    };
    QList<quint32> ids{11, 12, FarId, 14};
    QList<int> boxes{3, 1, 2, 1};

    LearningStatistics of(Period period, QDate today = Today) const { return {answers, ids, boxes, period, today}; }
};

} // namespace

class TestLearningStatistics : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Local days, with a change to summer time in them.
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void weekFigures()
    {
        const LearningStatistics week = SmallHistory().of(Period::Week);
        QCOMPARE(week.firstDay(), QDate(2026, 3, 4));
        QCOMPARE(week.dayCount(), 7);
        QCOMPARE(week.boxesToday(), (Counts{2, 1, 1, 0}));
        // Backwards from today: each day's end, the moves of later days undone.
        const QList<Counts> expected{{4, 0, 0, 0}, {3, 1, 0, 0}, {3, 1, 0, 0}, {2, 1, 1, 0}, {2, 1, 1, 0}, {2, 1, 1, 0}, {2, 1, 1, 0}};
        for (int day = 0; day < week.dayCount(); ++day)
            QCOMPARE(week.boxesOn(day), expected.at(day));

        QList<int> known, notKnown;
        for (int day = 0; day < week.dayCount(); ++day) {
            known.append(week.knownOn(day));
            notKnown.append(week.notKnownOn(day));
        }
        // The deleted card's answer counts on its day.
        QCOMPARE(known, (QList<int>{0, 1, 0, 2, 1, 1, 0}));
        QCOMPARE(notKnown, (QList<int>{0, 1, 0, 0, 0, 1, 0}));
        // By the box the card was in when answered.
        QCOMPARE(week.answersInBox(1), 4);
        QCOMPARE(week.shareKnown(1), 75.0);
        QCOMPARE(week.answersInBox(2), 3);
        QCOMPARE(qRound(week.shareKnown(2)), 67);
        QCOMPARE(week.shareKnown(3), -1.0);
        QCOMPARE(week.neverAsked(), 1);
        QCOMPARE(week.answerCount(), 8);
    }

    void periods()
    {
        const SmallHistory history;
        QCOMPARE(history.of(Period::Month).firstDay(), QDate(2026, 2, 9));
        QCOMPARE(history.of(Period::Month).dayCount(), 30);
        QCOMPARE(history.of(Period::Year).dayCount(), 365);
        const LearningStatistics all = history.of(Period::All);
        QCOMPARE(all.firstDay(), QDate(2026, 2, 20));
        QCOMPARE(all.notKnownOn(0), 1);
        QCOMPARE(all.answersInBox(1), 5);
        QCOMPARE(all.boxesOn(0), (Counts{4, 0, 0, 0}));
        QCOMPARE(all.boxesOn(all.dayCount() - 1), all.boxesToday());
        // Without answers: today alone, every card never asked.
        const LearningStatistics none({}, history.ids, history.boxes, Period::All, Today);
        QCOMPARE(none.dayCount(), 1);
        QCOMPARE(none.boxesOn(0), none.boxesToday());
        QCOMPARE(none.neverAsked(), 4);
    }

    void localDaysAcrossSummerTime()
    {
        // Summer time starts on 29 March 2026; at 00:30 of the 30th the
        // UTC date is still the 29th.
        const auto utc = [](int day, int hour, int minute) {
            return QDateTime(QDate(2026, 3, day), QTime(hour, minute), Qt::UTC).toSecsSinceEpoch();
        };
        const QList<LearningAnswer> answers{
            answer(1, utc(28, 23, 30), true, 1, 2), // 29th, 00:30 winter time
            answer(1, utc(29, 21, 30), true, 2, 3), // 29th, 23:30 summer time
            answer(1, utc(29, 22, 30), true, 3, 4), // 30th, 00:30
        };
        const LearningStatistics week(answers, {1}, {4}, Period::Week, QDate(2026, 3, 30));
        QCOMPARE(week.knownOn(4), 0);
        QCOMPARE(week.knownOn(5), 2);
        QCOMPARE(week.knownOn(6), 1);
        QCOMPARE(week.boxesOn(4), (Counts{1, 0, 0, 0}));
        QCOMPARE(week.boxesOn(5), (Counts{0, 0, 1, 0}));
    }
};

QTEST_GUILESS_MAIN(TestLearningStatistics)
#include "tst_learningstatistics.moc"
