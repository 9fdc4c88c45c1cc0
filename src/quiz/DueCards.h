#pragma once

#include "cardset/LearningAnswer.h"

#include <QDateTime>
#include <QList>

#include <array>
#include <limits>

class CardSet;

// Which cards are due for review by the box intervals: a card is due when
// it was never answered, or when its last answer lies at least its box's
// interval back, counted in local calendar days, so that a card answered
// late yesterday is due first thing today.
class DueCards
{
public:
    static constexpr int BoxNumberCount = 4;
    static constexpr int MinInterval = 1;
    static constexpr int MaxInterval = 365;
    // Days per box, box 1 first.
    using Intervals = std::array<qint32, BoxNumberCount>;
    static constexpr Intervals DefaultIntervals{1, 3, 7, 14};

    // `ids` and `boxes` in card order. Intervals are brought into 1 to 365.
    // An invalid `now` means the current time.
    DueCards(const QList<LearningAnswer> &answers, const QList<quint32> &ids, const QList<qint32> &boxes, const Intervals &intervals,
             const QDateTime &now = QDateTime());
    // The cards of `set` in their boxes.
    static DueCards of(const CardSet &set, const Intervals &intervals, const QDateTime &now = QDateTime());

    // The same cards and answers judged in other boxes; a box outside 1 to 4
    // takes the nearest one's interval, as a verdict would bring it there.
    void setBoxes(const QList<qint32> &boxes);

    int count() const { return int(m_due.size()); }
    bool isDue(int card) const { return m_due.at(card); }
    // Due cards whose box is exactly `box` (1 to 4).
    int dueCount(int box) const;
    // Every due card, those in no box too.
    int dueTotal() const { return m_dueTotal; }
    int neverAsked() const { return m_neverAsked; }
    // The due entries of a list of card positions, in its order.
    QList<qint32> dueOnly(const QList<qint32> &cards) const;

private:
    static constexpr qint64 Never = std::numeric_limits<qint64>::min();

    // The last answer's time per card, Never for a card never answered.
    QList<qint64> m_last;
    QDateTime m_now;
    // An answer before this time lies far enough back for the box.
    std::array<qint64, BoxNumberCount> m_dueBefore{};
    QList<bool> m_due;
    std::array<int, BoxNumberCount> m_dueCounts{};
    int m_dueTotal = 0;
    int m_neverAsked = 0;
};
