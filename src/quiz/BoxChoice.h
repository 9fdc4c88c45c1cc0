#pragma once

#include "quiz/DueCards.h"

#include <QList>
#include <QString>
#include <QStringList>

class CardSet;

// What the box dialog shows and what the learner chose there, without the
// widgets: the four box counts with their due cards, the selected box,
// whether only due cards are asked, and the cramming size.
class BoxChoice
{
public:
    static constexpr int BoxNumberCount = 4;
    static constexpr int MinCramSize = 5;
    static constexpr int MaxCramSize = 500;

    // Due by these intervals at `now` (invalid: the current time).
    explicit BoxChoice(const CardSet &set, const DueCards::Intervals &intervals = DueCards::DefaultIntervals,
                       const QDateTime &now = QDateTime());

    // Number of cards whose box number is exactly box, as decimal text;
    // numbers outside 1 to 4 are counted nowhere.
    static QString BoxCount(const CardSet &set, int box);

    // "1.Kasten (3, 1 fällig)" and so on, one per box.
    QStringList itemTexts() const;
    int CardTotal() const { return m_cardTotal; }

    // Every card goes back to box 1: the counts change now, the set only
    // when the quiz starts (applyTo), so cancelling loses nothing.
    void allToFirstBox();
    bool allToFirst() const { return m_allToFirst; }

    // 1 to 4, or 0 when no box is chosen.
    int selectedBox() const { return m_selectedBox; }
    void setSelectedBox(int box);

    // The cramming size from the field's text, always within 5 to 500: a
    // number typed but not yet corrected by the field is brought into range
    // here, and text that is no whole number gives the minimum.
    static int cramSizeFromText(const QString &text);

    // "nur fällige Karten": the quiz asks only the due cards of its list.
    bool dueOnly() const { return m_dueOnly; }
    void setDueOnly(bool dueOnly) { m_dueOnly = dueOnly; }
    // Due as the boxes will be when the quiz starts.
    const DueCards &due() const { return m_due; }
    // With only due cards asked, the quiz would have none: the selected box
    // holds cards but none is due, or, as the quiz then asks all boxes, no
    // card at all is due.
    bool nothingToAsk() const;

    // Carries out what the dialog decided on the set's boxes.
    void applyTo(CardSet &set) const;

private:
    QList<int> m_counts;
    DueCards m_due;
    bool m_dueOnly = false;
    int m_cardTotal = 0;
    int m_selectedBox = 0;
    bool m_allToFirst = false;
};
