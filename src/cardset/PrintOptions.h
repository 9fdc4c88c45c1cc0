#pragma once

#include "cardset/FontRecord.h"

#include <QString>
#include <QtGlobal>

// Size adjustments of the header band, in printer pixels.
struct HeaderMarginSet
{
    qint32 Top = 0;
    qint32 Bottom = 0;
    qint32 Right = 0;
    qint32 Left = 0;

    bool operator==(const HeaderMarginSet &) const = default;
};

// The program-wide printer orientation; a card set file carries the one in
// force when it was saved.
enum class PageOrientation { Portrait, Landscape };

// The print layout a card set carries, with the values of a new document
// window. The file, the options page and the printer all read it from here,
// and its bounds are the ones place that knows them.
struct PrintOptions
{
    static constexpr int RandMinimum = 1;
    static constexpr int RandMaximum = 200;
    static constexpr int TextMinimum = 0;
    static constexpr int TextMaximum = 500;

    QString HeaderText;
    qint32 HeaderColor = StoredColor::SystemWindow;
    FontRecord HeaderFont{QStringLiteral("Arial"), 10, StoredColor::SystemWindowText};
    HeaderMarginSet HeaderMargins;

    qint32 AktPrintCards = 4;
    qint32 RandAbstand = 30;
    qint32 TextAbstand = 20;
    qint32 titelProzent = 10;
    bool PrintNummer = true;
    bool PrintKopfZeile = false;
    bool PrintFadenkreuz = true;
    bool WebStyle = true;
    bool PrintCR = false;
    QString Copyright;

    bool operator==(const PrintOptions &) const = default;

    static bool isCardsPerSheet(int cards);
    // 1, 2, 4 or 8, whichever is nearest; the smaller one on a tie, so that
    // no card gets less room than the stored value asked for.
    static int nearestCardsPerSheet(int cards);
    static int clampRand(int value);
    static int clampText(int value);
    // Entry 0 to 3 of the selector for 1, 2, 4, 8; -1 for any other value.
    static int cardsPerSheetIndex(int cards);
    // 0 to 3 give 1, 2, 4, 8; anything else 0.
    static int cardsPerSheetForIndex(int index);

    // The hidden header/text split: the header share in percent, and back.
    static int titlePercent(int titleHeight, int baseHeight);
    static int titleHeight(int percent, int baseHeight);

    // Every value within what the printer can lay out: cards per sheet one
    // of 1, 2, 4, 8, the distances within their fields' ranges.
    PrintOptions printable() const;
};
