#pragma once

#include "cardset/FileResult.h"

#include <QString>

class CardSet;

// A card set as an Anki package (.apkg) in the layout that every Anki
// since 2.0, AnkiDroid and AnkiMobile import: a zip of collection.anki2
// (AnkiCollectionFile), the media map "media" ({"0": "quillo-….png", …})
// and the pictures as the members "0", "1", … Every card is one note: its
// faces as simple HTML (HtmlFace::fromRtf) with their pictures, its box as
// the tag "Kasten::N", new to Anki in the order of the set.
class AnkiPackageWriter
{
public:
    // All cards of `set` into the deck `deckName`. Written whole or, failing,
    // with an older file left as it was.
    static FileResult write(const QString &path, const CardSet &set, const QString &deckName);

    // The set's file name without folder and extension; for a set never
    // saved, the package's.
    static QString deckName(const CardSet &set, const QString &packagePath);

    // What Anki knows a card's note by, so that exporting the set again
    // updates the notes an earlier import made. See the .cpp for why it
    // is made of these. `occurrence` counts the cards before this one with
    // the same `sortText`.
    static QString guid(const QString &deckName, const QString &sortText, int occurrence);
};
