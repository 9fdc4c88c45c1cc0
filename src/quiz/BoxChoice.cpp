#include "quiz/BoxChoice.h"

#include "cardset/CardSet.h"

#include <algorithm>

BoxChoice::BoxChoice(const CardSet &set, const DueCards::Intervals &intervals, const QDateTime &now)
    : m_due(DueCards::of(set, intervals, now))
    , m_cardTotal(set.count())
{
    for (int box = 1; box <= BoxNumberCount; ++box)
        m_counts.append(set.boxCount(box));
}

QString BoxChoice::BoxCount(const CardSet &set, int box)
{
    return QString::number(set.boxCount(box));
}

QStringList BoxChoice::itemTexts() const
{
    QStringList texts;
    for (int box = 1; box <= BoxNumberCount; ++box)
        texts.append(QStringLiteral("%1.Kasten (%2, %3 fällig)").arg(box).arg(m_counts.at(box - 1)).arg(m_due.dueCount(box)));
    return texts;
}

void BoxChoice::allToFirstBox()
{
    m_allToFirst = true;
    m_counts = {m_cardTotal, 0, 0, 0};
    m_due.setBoxes(QList<qint32>(m_cardTotal, 1));
}

bool BoxChoice::nothingToAsk() const
{
    if (m_selectedBox != 0 && m_counts.at(m_selectedBox - 1) > 0)
        return m_due.dueCount(m_selectedBox) == 0;
    return m_due.dueTotal() == 0;
}

void BoxChoice::setSelectedBox(int box)
{
    m_selectedBox = (box >= 1 && box <= BoxNumberCount) ? box : 0;
}

int BoxChoice::cramSizeFromText(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return MinCramSize;
    return int(std::clamp<qlonglong>(value, MinCramSize, MaxCramSize));
}

void BoxChoice::applyTo(CardSet &set) const
{
    if (m_allToFirst)
        set.setAllBoxes(1);
}
