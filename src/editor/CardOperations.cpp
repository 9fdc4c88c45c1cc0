#include "editor/CardOperations.h"

#include "cardset/CardSet.h"

bool CardOperations::removeCard(CardSet &set, int index)
{
    if (!set.listsConsistent() || index < 0 || index >= set.count())
        return false;
    set.Fronts.removeAt(index);
    set.Backs.removeAt(index);
    set.Boxes.removeAt(index);
    set.CurrentIndex = -1;
    return true;
}

bool CardOperations::moveCard(CardSet &set, int from, int to)
{
    if (!set.listsConsistent() || from == to || from < 0 || to < 0 || from >= set.count() || to >= set.count())
        return false;
    set.Fronts.move(from, to);
    set.Backs.move(from, to);
    set.Boxes.move(from, to);
    set.CurrentIndex = to;
    return true;
}
