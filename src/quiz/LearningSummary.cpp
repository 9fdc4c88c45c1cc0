#include "quiz/LearningSummary.h"

#include "cardset/CardSet.h"

#include <algorithm>

LearningSummary::LearningSummary(const CardSet &set, const DueCards::Intervals &intervals, const QDateTime &now)
{
    const QDateTime at = now.isValid() ? now : QDateTime::currentDateTime();
    const DueCards due = DueCards::of(set, intervals, at);
    cardCount = set.count();
    for (int box = 1; box <= DueCards::BoxNumberCount; ++box) {
        boxCounts[box - 1] = set.boxCount(box);
        dueCounts[box - 1] = due.dueCount(box);
    }
    dueTotal = due.dueTotal();
    neverAsked = due.neverAsked();
    historyState = set.history().state();

    // The days' bounds once, so that no answer needs a time zone lookup.
    const QDate today = at.toLocalTime().date();
    QList<qint64> starts;
    for (int day = 0; day <= DayCount; ++day) {
        const QDate date = today.addDays(day - DayCount + 1);
        starts.append(date.startOfDay().toSecsSinceEpoch());
        if (day < DayCount)
            days.append({date, 0, 0});
    }
    for (const LearningAnswer &answer : set.history().answers()) {
        ++answers;
        ++(answer.known ? known : notKnown);
        if (answer.time < starts.first() || answer.time >= starts.last())
            continue;
        const qsizetype day = std::upper_bound(starts.cbegin(), starts.cend(), answer.time) - starts.cbegin() - 1;
        ++(answer.known ? days[day].known : days[day].notKnown);
    }
}
