#include "quiz/DueCards.h"

#include "cardset/CardSet.h"

#include <QHash>

#include <algorithm>

DueCards::DueCards(const QList<LearningAnswer> &answers, const QList<quint32> &ids, const QList<qint32> &boxes, const Intervals &intervals,
                   const QDateTime &now)
    : m_last(ids.size(), Never)
    , m_now(now.isValid() ? now : QDateTime::currentDateTime())
{
    // One pass over the answers: those of cards no longer in the set are
    // passed over, and the latest given counts as the last.
    QHash<quint32, int> positions;
    positions.reserve(ids.size());
    for (int card = 0; card < ids.size(); ++card)
        positions.insert(ids.at(card), card);
    for (const LearningAnswer &answer : answers) {
        const auto found = positions.constFind(answer.card);
        if (found != positions.constEnd())
            m_last[found.value()] = answer.time;
    }
    m_neverAsked = int(std::count(m_last.cbegin(), m_last.cend(), Never));

    // Due from the start of the local day `interval` days after the answer's
    // day; a day is a day also when the clocks change.
    const QDate today = m_now.toLocalTime().date();
    for (int box = 0; box < BoxNumberCount; ++box) {
        const int days = std::clamp(intervals.at(box), MinInterval, MaxInterval);
        m_dueBefore[box] = today.addDays(1 - days).startOfDay().toSecsSinceEpoch();
    }
    setBoxes(boxes);
}

DueCards DueCards::of(const CardSet &set, const Intervals &intervals, const QDateTime &now)
{
    QList<quint32> ids;
    QList<qint32> boxes;
    ids.reserve(set.count());
    boxes.reserve(set.count());
    for (int card = 0; card < set.count(); ++card) {
        ids.append(set.cardId(card));
        boxes.append(set.box(card));
    }
    return DueCards(set.history().answers(), ids, boxes, intervals, now);
}

void DueCards::setBoxes(const QList<qint32> &boxes)
{
    const qint64 now = m_now.toSecsSinceEpoch();
    m_due.fill(false, m_last.size());
    m_dueCounts.fill(0);
    m_dueTotal = 0;
    for (int card = 0; card < m_last.size(); ++card) {
        const qint32 box = card < boxes.size() ? boxes.at(card) : 1;
        const qint64 last = m_last.at(card);
        // An answer dated after now came from a clock gone wrong; waiting
        // for that date would hide the card for as long.
        const bool due = last == Never || last > now || last < m_dueBefore[std::clamp(box, 1, BoxNumberCount) - 1];
        if (!due)
            continue;
        m_due[card] = true;
        ++m_dueTotal;
        if (box >= 1 && box <= BoxNumberCount)
            ++m_dueCounts[box - 1];
    }
}

int DueCards::dueCount(int box) const
{
    return box >= 1 && box <= BoxNumberCount ? m_dueCounts[box - 1] : 0;
}

QList<qint32> DueCards::dueOnly(const QList<qint32> &cards) const
{
    QList<qint32> due;
    for (qint32 card : cards) {
        if (card >= 0 && card < m_due.size() && m_due.at(card))
            due.append(card);
    }
    return due;
}
