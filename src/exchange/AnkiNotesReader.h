#pragma once

#include "exchange/AnkiProblem.h"

class AnkiDatabase;
struct AnkiCollection;

// The notes and cards of a collection, alike in every schema. Notes come
// in the order of their ids (the order they were made), cards by their
// note, then by template or cloze number. Needs the note types read.
class AnkiNotesReader
{
public:
    // UnknownNoteType or FieldCountMismatch for the first note that does
    // not fit its note type.
    static AnkiProblem read(const AnkiDatabase &database, AnkiCollection &collection);
};
