#pragma once

#include <QStringList>

// Values and ranges of the print options a card set carries, as the
// options page shows them.
class PrintOptionRules
{
public:
    static constexpr int RandMinimum = 1;
    static constexpr int RandMaximum = 200;
    static constexpr int TextMinimum = 0;
    static constexpr int TextMaximum = 500;

    // "1 Karte/Blatt" ... "8 Karten/Blatt".
    static QStringList cardsPerSheetEntries();
    // 1, 2, 4, 8 give 0 to 3; any other value -1 (the selector keeps its entry).
    static int comboIndexForCards(int cards);
    // 0 to 3 give 1, 2, 4, 8; anything else 0.
    static int cardsForComboIndex(int index);

    static int clampRand(int value);
    static int clampText(int value);

    // The hidden header/text split: share of the title panel in percent.
    static int titlePercent(int titleHeight, int baseHeight);
    static int titleHeight(int percent, int baseHeight);
};
