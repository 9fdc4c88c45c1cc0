#pragma once

#include "cardset/LearningAnswer.h"

#include <QDate>
#include <QList>

#include <array>
#include <vector>

class CardSet;

// What the "Lernstand" window shows, worked out from the recorded answers
// and the cards as they are now: the boxes today and, for each local
// calendar day of a period, the boxes at the day's end and the answers
// given. One pass over the answers with arrays by day, so that a history
// of a million answers takes milliseconds.
class LearningStatistics
{
public:
    enum class Period { Week, Month, Year, All };
    static constexpr int Boxes = 4;
    using BoxCounts = std::array<int, Boxes>;

    // `cardIds` and `boxes` are the cards' identities and boxes in card
    // order. Answers of cards no longer in the set count as answers but
    // move no card; answers after `today` count on `today`.
    LearningStatistics(const QList<LearningAnswer> &answers, const QList<quint32> &cardIds, const QList<int> &boxes, Period period,
                       QDate today);
    static LearningStatistics of(const CardSet &set, Period period, QDate today);

    // The period's days, the first to today.
    QDate firstDay() const { return m_firstDay; }
    int dayCount() const { return m_dayCount; }
    QDate date(int day) const { return m_firstDay.addDays(day); }

    // Cards in boxes 1 to 4 now; a card of a damaged file outside them is
    // in none.
    const BoxCounts &boxesToday() const { return m_boxesToday; }
    // The cards in each box at the end of `day`: today's boxes with the
    // moves of the later days undone.
    BoxCounts boxesOn(int day) const;
    int knownOn(int day) const { return m_known[size_t(day)]; }
    int notKnownOn(int day) const { return m_notKnown[size_t(day)]; }
    // Answers in the period given while the card was in `box` (1 to 4).
    int answersInBox(int box) const { return m_answersInBox[size_t(box - 1)]; }
    int knownInBox(int box) const { return m_knownInBox[size_t(box - 1)]; }
    // Percent of those known; -1 without any.
    double shareKnown(int box) const;
    // Cards without a single recorded answer.
    int neverAsked() const { return m_neverAsked; }
    // Answers in the whole history, also outside the period.
    qsizetype answerCount() const { return m_answerCount; }

private:
    QDate m_firstDay;
    int m_dayCount = 1;
    BoxCounts m_boxesToday{};
    std::vector<int> m_boxesByDay; // Boxes per day
    std::vector<int> m_known;
    std::vector<int> m_notKnown;
    BoxCounts m_answersInBox{};
    BoxCounts m_knownInBox{};
    int m_neverAsked = 0;
    qsizetype m_answerCount = 0;
};
