#pragma once

#include "cardset/LearningHistory.h"
#include "quiz/DueCards.h"

#include <QDate>
#include <QList>

#include <array>

class CardSet;

// Where the learning of a set stands: cards and due cards per box, the
// verdicts of each of the last days, and the totals of the history.
class LearningSummary
{
public:
    static constexpr int DayCount = 30;
    struct Day
    {
        QDate date;
        int known = 0;
        int notKnown = 0;
    };

    // An invalid `now` means the current time.
    LearningSummary(const CardSet &set, const DueCards::Intervals &intervals, const QDateTime &now = QDateTime());

    int cardCount = 0;
    std::array<int, DueCards::BoxNumberCount> boxCounts{};
    std::array<int, DueCards::BoxNumberCount> dueCounts{};
    int dueTotal = 0;
    // The last DayCount local days, today last.
    QList<Day> days;
    int answers = 0;
    int known = 0;
    int notKnown = 0;
    int neverAsked = 0;
    LearningHistory::State historyState = LearningHistory::State::Recording;
};
