#include "cardset/CardSet.h"

int CardSet::AddCard()
{
    Fronts.append(QByteArray());
    Backs.append(QByteArray());
    Boxes.append(1);
    CurrentIndex = int(Fronts.size()) - 1;
    return CurrentIndex;
}

void CardSet::clearCards()
{
    Fronts.clear();
    Backs.clear();
    Boxes.clear();
    CurrentIndex = -1;
}

QString CardSet::cardCaption(int index)
{
    return QStringLiteral("Karte ") + QString::number(index + 1);
}
