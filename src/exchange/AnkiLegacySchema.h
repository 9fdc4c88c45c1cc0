#pragma once

#include "exchange/AnkiProblem.h"

class AnkiDatabase;
struct AnkiCollection;

// Note types and decks of a collection of schema 11, the legacy layouts:
// JSON in the one row of the table `col`.
class AnkiLegacySchema
{
public:
    static constexpr int version = 11;

    static AnkiProblem read(const AnkiDatabase &database, AnkiCollection &collection);
};
