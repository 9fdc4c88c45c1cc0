#pragma once

#include "exchange/AnkiProblem.h"

class AnkiDatabase;
struct AnkiCollection;

// Note types and decks of a collection of schema 18, the current layout:
// tables of their own (notetypes, fields, templates, decks) with protobuf
// configurations.
class AnkiCurrentSchema
{
public:
    static constexpr int version = 18;

    static AnkiProblem read(const AnkiDatabase &database, AnkiCollection &collection);
};
