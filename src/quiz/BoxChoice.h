#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CardSet;

// What the box dialog shows and what the learner chose there, without the
// widgets: the four box counts, the selected box and the cramming size.
class BoxChoice
{
public:
    static constexpr int BoxNumberCount = 4;
    static constexpr int MinCramSize = 5;
    static constexpr int MaxCramSize = 500;

    explicit BoxChoice(const CardSet &set);

    // Number of cards whose box number is exactly box, as decimal text;
    // numbers outside 1 to 4 are counted nowhere.
    static QString BoxCount(const CardSet &set, int box);

    // "1.Kasten (3)" and so on, one per box.
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

    // Carries out what the dialog decided on the set's boxes.
    void applyTo(CardSet &set) const;

private:
    QList<int> m_counts;
    int m_cardTotal = 0;
    int m_selectedBox = 0;
    bool m_allToFirst = false;
};
