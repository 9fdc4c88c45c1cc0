#include "editor/PrintOptionRules.h"

#include <algorithm>
#include <array>

namespace {
constexpr std::array<int, 4> kCards{1, 2, 4, 8};
}

QStringList PrintOptionRules::cardsPerSheetEntries()
{
    return {QStringLiteral("1 Karte/Blatt"), QStringLiteral("2 Karten/Blatt"), QStringLiteral("4 Karten/Blatt"),
            QStringLiteral("8 Karten/Blatt")};
}

int PrintOptionRules::comboIndexForCards(int cards)
{
    const auto it = std::find(kCards.begin(), kCards.end(), cards);
    return it == kCards.end() ? -1 : int(it - kCards.begin());
}

int PrintOptionRules::cardsForComboIndex(int index)
{
    return index >= 0 && index < int(kCards.size()) ? kCards[size_t(index)] : 0;
}

int PrintOptionRules::clampRand(int value)
{
    return std::clamp(value, RandMinimum, RandMaximum);
}

int PrintOptionRules::clampText(int value)
{
    return std::clamp(value, TextMinimum, TextMaximum);
}

int PrintOptionRules::titlePercent(int titleHeight, int baseHeight)
{
    return baseHeight > 0 ? titleHeight * 100 / baseHeight : 100;
}

int PrintOptionRules::titleHeight(int percent, int baseHeight)
{
    return percent * baseHeight / 100;
}
