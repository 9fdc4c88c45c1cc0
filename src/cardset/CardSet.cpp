#include "cardset/CardSet.h"

#include <algorithm>

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
    m_currentIndex = -1;
    emit cardsReset();
    markChanged();
}

int CardSet::AddCard(const Card &card)
{
    const int index = count();
    emit cardAboutToBeInserted(index);
    m_cards.append(card);
    m_cards.last().Box = clampBox(card.Box);
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
    // The editors may still show the card that went: nothing of it may be
    // stored into the card that takes its place.
    m_currentIndex = -1;
    emit cardRemoved(index);
    markChanged();
    return true;
}

bool CardSet::moveCard(int from, int to)
{
    if (from == to || !isValidIndex(from) || !isValidIndex(to))
        return false;
    m_cards.move(from, to);
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
    Q_UNUSED(index);
    Q_UNUSED(mode);
    Q_UNUSED(known);
    Q_UNUSED(boxBefore);
    Q_UNUSED(boxAfter);
    Q_UNUSED(time);
}

void CardSet::clearHistory() {}
