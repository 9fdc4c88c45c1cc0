#pragma once

class CardSet;

// The index arithmetic of deleting and moving cards, on the three parallel
// lists of a set; the window keeps its card list in step.
class CardOperations
{
public:
    // Removes card `index` from Fronts, Backs and Boxes. The set is left
    // without a current card (-1): the editors still show the removed card,
    // and nothing of it may be stored into the card that takes its place.
    // Returns false for an index outside the set.
    static bool removeCard(CardSet &set, int index);
    // Takes the card out at `from` and inserts it at `to`; the cards between
    // shift by one towards `from`. The moved card becomes current. Returns
    // false, changing nothing, when the two are equal or outside the set.
    static bool moveCard(CardSet &set, int from, int to);
};
