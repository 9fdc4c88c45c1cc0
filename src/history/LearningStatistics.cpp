#include "history/LearningStatistics.h"

#include "cardset/CardSet.h"

#include <QDateTime>
#include <QHash>

#include <algorithm>

namespace {

QDate localDate(qint64 time)
{
    return QDateTime::fromSecsSinceEpoch(time).date();
}

// The local day an instant falls on, by the instants the days start at:
// converting every answer's time by the time zone rules would take longer
// than all the rest. Answers come mostly in order, so the last day found
// is tried first.
class DayIndex
{
public:
    DayIndex(QDate first, int days)
    {
        m_starts.reserve(size_t(days) + 1);
        for (int day = 0; day <= days; ++day)
            m_starts.push_back(first.addDays(day).startOfDay().toSecsSinceEpoch());
    }
    // -1 before the first day; the last day for anything after it.
    int of(qint64 time)
    {
        if (time < m_starts.front())
            return -1;
        const int last = int(m_starts.size()) - 2;
        if (time >= m_starts[size_t(m_hint)] && (m_hint == last || time < m_starts[size_t(m_hint) + 1]))
            return m_hint;
        const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), time);
        m_hint = std::min(int(after - m_starts.begin()) - 1, last);
        return m_hint;
    }

private:
    std::vector<qint64> m_starts;
    int m_hint = 0;
};

// Card positions by identity: an array while the identities are about as
// dense as the set is long, a hash otherwise.
class CardLookup
{
public:
    explicit CardLookup(const QList<quint32> &ids)
    {
        const quint32 highest = ids.isEmpty() ? 0 : *std::max_element(ids.begin(), ids.end());
        if (highest <= quint32(ids.size()) * 4 + 1024) {
            m_dense.assign(size_t(highest) + 1, -1);
            for (int i = 0; i < ids.size(); ++i)
                m_dense[ids.at(i)] = i;
        } else {
            for (int i = 0; i < ids.size(); ++i)
                m_sparse.insert(ids.at(i), i);
        }
    }
    int position(quint32 id) const
    {
        if (!m_sparse.isEmpty())
            return m_sparse.value(id, -1);
        return id < m_dense.size() ? m_dense[id] : -1;
    }

private:
    std::vector<int> m_dense;
    QHash<quint32, int> m_sparse;
};

bool inBoxes(int box)
{
    return box >= 1 && box <= LearningStatistics::Boxes;
}

} // namespace

LearningStatistics::LearningStatistics(const QList<LearningAnswer> &answers, const QList<quint32> &cardIds, const QList<int> &boxes,
                                       Period period, QDate today)
    : m_answerCount(answers.size())
{
    switch (period) {
    case Period::Week: m_firstDay = today.addDays(-6); break;
    case Period::Month: m_firstDay = today.addDays(-29); break;
    case Period::Year: m_firstDay = today.addYears(-1).addDays(1); break;
    case Period::All: {
        qint64 earliest = 0;
        bool any = false;
        for (const LearningAnswer &answer : answers) {
            if (!any || answer.time < earliest)
                earliest = answer.time;
            any = true;
        }
        // Times before any quiz could have been recorded only stretch the
        // arrays: they count as earlier than the period.
        const QDate earliestDay = any ? localDate(earliest) : today;
        m_firstDay = std::clamp(earliestDay.isValid() ? earliestDay : today, std::min(QDate(1990, 1, 1), today), today);
        break;
    }
    }
    m_dayCount = int(m_firstDay.daysTo(today)) + 1;
    const auto days = size_t(m_dayCount);
    m_known.assign(days, 0);
    m_notKnown.assign(days, 0);

    const int cards = int(std::min(cardIds.size(), boxes.size()));
    for (int i = 0; i < cards; ++i) {
        if (inBoxes(boxes.at(i)))
            ++m_boxesToday[size_t(boxes.at(i) - 1)];
    }

    // A card's box at the end of a day is the one its first answer on a
    // later day found it in, or its box now after its last answer. Each
    // stretch of days in one box goes into a difference array by day.
    std::vector<int> change((days + 1) * Boxes, 0);
    const auto stay = [&change](int from, int to, int box) {
        if (from > to || !inBoxes(box))
            return;
        ++change[size_t(from) * Boxes + size_t(box - 1)];
        --change[size_t(to + 1) * Boxes + size_t(box - 1)];
    };
    std::vector<int> stretchStart(size_t(cards), 0);
    std::vector<bool> asked(size_t(cards), false);

    const CardLookup lookup(cardIds.mid(0, cards));
    DayIndex dayIndex(m_firstDay, m_dayCount);
    for (const LearningAnswer &answer : answers) {
        const int day = dayIndex.of(answer.time);
        if (day >= 0) {
            ++(answer.known ? m_known : m_notKnown)[size_t(day)];
            if (inBoxes(answer.boxBefore)) {
                ++m_answersInBox[size_t(answer.boxBefore - 1)];
                if (answer.known)
                    ++m_knownInBox[size_t(answer.boxBefore - 1)];
            }
        }
        const int card = lookup.position(answer.card);
        if (card < 0)
            continue;
        asked[size_t(card)] = true;
        // An answer on the same day as the card's one before, or one out
        // of order, ends no stretch.
        int &start = stretchStart[size_t(card)];
        if (day > start) {
            stay(start, day - 1, answer.boxBefore);
            start = day;
        }
    }
    for (int card = 0; card < cards; ++card) {
        stay(stretchStart[size_t(card)], m_dayCount - 1, boxes.at(card));
        if (!asked[size_t(card)])
            ++m_neverAsked;
    }

    m_boxesByDay.assign(days * Boxes, 0);
    BoxCounts running{};
    for (size_t day = 0; day < days; ++day) {
        for (size_t box = 0; box < Boxes; ++box) {
            running[box] += change[day * Boxes + box];
            m_boxesByDay[day * Boxes + box] = running[box];
        }
    }
}

LearningStatistics LearningStatistics::of(const CardSet &set, Period period, QDate today)
{
    QList<quint32> ids;
    QList<int> boxes;
    ids.reserve(set.count());
    boxes.reserve(set.count());
    for (int i = 0; i < set.count(); ++i) {
        ids.append(set.cardId(i));
        boxes.append(set.box(i));
    }
    return LearningStatistics(set.history().answers(), ids, boxes, period, today);
}

LearningStatistics::BoxCounts LearningStatistics::boxesOn(int day) const
{
    BoxCounts counts{};
    for (size_t box = 0; box < Boxes; ++box)
        counts[box] = m_boxesByDay[size_t(day) * Boxes + box];
    return counts;
}

double LearningStatistics::shareKnown(int box) const
{
    const int all = answersInBox(box);
    return all == 0 ? -1.0 : 100.0 * knownInBox(box) / all;
}
