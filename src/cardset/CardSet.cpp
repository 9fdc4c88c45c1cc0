#include "cardset/CardSet.h"

#include "cardset/LearningHistoryFormat.h"

#include <QHash>

#include <algorithm>
#include <limits>

CardSet::CardSet(QObject *parent)
    : QObject(parent)
{
}

int CardSet::boxCount(int box) const
{
    return int(std::count_if(m_cards.cbegin(), m_cards.cend(), [box](const Card &card) { return card.Box == box; }));
}

QList<int> CardSet::markedCards() const
{
    QList<int> result;
    for (int i = 0; i < count(); ++i) {
        if (m_cards.at(i).Marked)
            result.append(i);
    }
    return result;
}

void CardSet::setCurrentIndex(int index)
{
    if (index == -1 || isValidIndex(index))
        m_currentIndex = index;
}

void CardSet::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void CardSet::markChanged()
{
    setModified(true);
    emit changed();
}

void CardSet::setPrintOptions(const PrintOptions &options)
{
    if (m_options == options)
        return;
    m_options = options;
    markChanged();
}

void CardSet::setStandardFontFront(const FontRecord &font)
{
    if (m_standardFontFront == font)
        return;
    m_standardFontFront = font;
    markChanged();
}

void CardSet::setStandardFontBack(const FontRecord &font)
{
    if (m_standardFontBack == font)
        return;
    m_standardFontBack = font;
    markChanged();
}

void CardSet::startNew(const PrintOptions &options, const FontRecord &front, const FontRecord &back)
{
    emit cardsAboutToBeReset();
    m_cards = {Card()};
    m_nextId = 1;
    giveNewIdentities();
    // A file without cards still shows one; what another program left in
    // it must reach the next save all the same.
    if (m_history.canRecord() && resetHistory())
        emit historyChanged();
    m_currentIndex = 0;
    m_options = options;
    m_standardFontFront = front;
    m_standardFontBack = back;
    emit cardsReset();
    setModified(false);
}

void CardSet::replaceContent(QList<Card> cards, const PrintOptions &options, const FontRecord &front, const FontRecord &back)
{
    emit cardsAboutToBeReset();
    m_cards = std::move(cards);
    m_nextId = 1;
    giveNewIdentities();
    m_history = LearningHistory();
    emit historyChanged();
    m_currentIndex = -1;
    m_options = options;
    m_standardFontFront = front;
    m_standardFontBack = back;
    emit cardsReset();
    setModified(false);
}

void CardSet::replaceCards(QList<Card> cards)
{
    for (Card &card : cards)
        card.Box = clampBox(card.Box);
    emit cardsAboutToBeReset();
    m_cards = std::move(cards);
    giveNewIdentities();
    if (m_history.canRecord() && resetHistory())
        emit historyChanged();
    m_currentIndex = -1;
    emit cardsReset();
    markChanged();
}

void CardSet::replaceHistory(LearningHistory history, QList<quint32> ids, quint32 nextId)
{
    m_history = std::move(history);
    if (m_history.canRecord() && ids.size() == m_cards.size()) {
        m_ids = std::move(ids);
        m_nextId = nextId;
    }
    emit historyChanged();
}

void CardSet::giveNewIdentities()
{
    m_ids.clear();
    m_ids.reserve(m_cards.size());
    for (qsizetype i = 0; i < m_cards.size(); ++i)
        m_ids.append(takeNewId());
}

quint32 CardSet::takeNewId()
{
    if (m_nextId == std::numeric_limits<quint32>::max()) {
        // Four billion cards made: the identities are counted anew, and the
        // answers follow their cards.
        QHash<quint32, quint32> renamed;
        for (qsizetype i = 0; i < m_ids.size(); ++i)
            renamed.insert(m_ids.at(i), quint32(i + 1));
        for (LearningAnswer &answer : m_history.m_answers)
            answer.card = renamed.value(answer.card);
        for (qsizetype i = 0; i < m_ids.size(); ++i)
            m_ids[i] = quint32(i + 1);
        m_nextId = quint32(m_ids.size() + 1);
    }
    return m_nextId++;
}

bool CardSet::resetHistory()
{
    const bool change = m_history.holdsData();
    m_history = LearningHistory();
    return change;
}

int CardSet::AddCard(const Card &card)
{
    const int index = count();
    // `card` may be one of this set's own, which the append can move.
    Card added = card;
    added.Box = clampBox(added.Box);
    emit cardAboutToBeInserted(index);
    m_cards.append(std::move(added));
    m_ids.append(takeNewId());
    m_currentIndex = index;
    emit cardInserted(index);
    markChanged();
    return index;
}

bool CardSet::removeCard(int index)
{
    if (!isValidIndex(index))
        return false;
    emit cardAboutToBeRemoved(index);
    m_cards.removeAt(index);
    const quint32 id = m_ids.takeAt(index);
    const bool answered =
        m_history.canRecord() && m_history.m_answers.removeIf([id](const LearningAnswer &answer) { return answer.card == id; }) > 0;
    // The editors may still show the card that went: nothing of it may be
    // stored into the card that takes its place.
    m_currentIndex = -1;
    emit cardRemoved(index);
    if (answered)
        emit historyChanged();
    markChanged();
    return true;
}

bool CardSet::moveCard(int from, int to)
{
    if (from == to || !isValidIndex(from) || !isValidIndex(to))
        return false;
    m_cards.move(from, to);
    m_ids.move(from, to);
    m_currentIndex = to;
    emit cardMoved(from, to);
    markChanged();
    return true;
}

void CardSet::setFront(int index, const QByteArray &face)
{
    if (!isValidIndex(index) || m_cards.at(index).Front == face)
        return;
    m_cards[index].Front = face;
    markChanged();
}

void CardSet::setBack(int index, const QByteArray &face)
{
    if (!isValidIndex(index) || m_cards.at(index).Back == face)
        return;
    m_cards[index].Back = face;
    markChanged();
}

void CardSet::setBox(int index, int box)
{
    box = clampBox(box);
    if (!isValidIndex(index) || m_cards.at(index).Box == box)
        return;
    m_cards[index].Box = box;
    markChanged();
}

void CardSet::setAllBoxes(int box)
{
    box = clampBox(box);
    bool any = false;
    for (Card &card : m_cards) {
        any = any || card.Box != box;
        card.Box = box;
    }
    if (any)
        markChanged();
}

void CardSet::setMarked(int index, bool marked)
{
    if (!isValidIndex(index) || m_cards.at(index).Marked == marked)
        return;
    m_cards[index].Marked = marked;
    emit marksChanged(index, index);
}

void CardSet::setMarkedFrom(int first, bool marked)
{
    if (!isValidIndex(first))
        return;
    for (int i = first; i < count(); ++i)
        m_cards[i].Marked = marked;
    emit marksChanged(first, count() - 1);
}

QString CardSet::cardCaption(int index)
{
    return QStringLiteral("Karte ") + QString::number(index + 1);
}

int CardSet::clampBox(int box)
{
    return std::clamp(box, 1, 4);
}

FontRecord CardSet::newSetFont()
{
    FontRecord font;
    font.Name = QStringLiteral("Arial");
    font.Size = 12;
    font.Color = StoredColor::Black;
    return font;
}

void CardSet::recordAnswer(int index, LearningAnswer::Mode mode, bool known, int boxBefore, int boxAfter, qint64 time)
{
    if (!m_history.canRecord() || !isValidIndex(index) || time < LearningHistoryFormat::EarliestTime)
        return;
    LearningAnswer answer;
    answer.card = m_ids.at(index);
    answer.time = time;
    answer.mode = mode;
    answer.known = known;
    answer.boxBefore = quint8(clampBox(boxBefore));
    answer.boxAfter = quint8(clampBox(boxAfter));
    m_history.m_answers.append(answer);
    emit historyChanged();
    markChanged();
}

void CardSet::clearHistory()
{
    if (!resetHistory())
        return;
    emit historyChanged();
    markChanged();
}
