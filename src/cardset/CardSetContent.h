#pragma once

#include "cardset/Card.h"
#include "cardset/FontRecord.h"
#include "cardset/PrintOptions.h"

#include <QList>
#include <QString>

#include <optional>

// What a load has read so far. It reaches the set at the end of the load;
// after a failure only its settings and fonts do, never a card whose faces
// or box may belong to another.
struct CardSetContent
{
    QList<Card> Cards;
    PrintOptions Options;
    FontRecord StandardFontFront;
    FontRecord StandardFontBack;
    // The one chunk after the faces, when the file has it: the history, or
    // another program's data.
    std::optional<QByteArray> Surplus;

    // The card at `index`, made when the content does not reach it yet.
    Card &cardAt(qsizetype index)
    {
        if (Cards.size() <= index)
            Cards.resize(index + 1);
        return Cards[index];
    }
};
