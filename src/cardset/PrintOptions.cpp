#include "cardset/PrintOptions.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {
constexpr std::array<int, 4> kCardsPerSheet{1, 2, 4, 8};
}

bool PrintOptions::isCardsPerSheet(int cards)
{
    return cardsPerSheetIndex(cards) >= 0;
}

int PrintOptions::nearestCardsPerSheet(int cards)
{
    int best = kCardsPerSheet.front();
    for (int candidate : kCardsPerSheet) {
        if (std::abs(qint64(candidate) - cards) < std::abs(qint64(best) - cards))
            best = candidate;
    }
    return best;
}

int PrintOptions::clampRand(int value)
{
    return std::clamp(value, RandMinimum, RandMaximum);
}

int PrintOptions::clampText(int value)
{
    return std::clamp(value, TextMinimum, TextMaximum);
}

int PrintOptions::cardsPerSheetIndex(int cards)
{
    const auto it = std::find(kCardsPerSheet.begin(), kCardsPerSheet.end(), cards);
    return it == kCardsPerSheet.end() ? -1 : int(it - kCardsPerSheet.begin());
}

int PrintOptions::cardsPerSheetForIndex(int index)
{
    return index >= 0 && index < int(kCardsPerSheet.size()) ? kCardsPerSheet[size_t(index)] : 0;
}

int PrintOptions::titlePercent(int titleHeight, int baseHeight)
{
    return baseHeight > 0 ? titleHeight * 100 / baseHeight : 100;
}

int PrintOptions::titleHeight(int percent, int baseHeight)
{
    return percent * baseHeight / 100;
}

PrintOptions PrintOptions::printable() const
{
    PrintOptions result = *this;
    result.AktPrintCards = nearestCardsPerSheet(AktPrintCards);
    result.RandAbstand = clampRand(RandAbstand);
    result.TextAbstand = clampText(TextAbstand);
    return result;
}
