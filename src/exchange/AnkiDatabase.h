#pragma once

#include "exchange/AnkiProblem.h"

#include <QString>

struct sqlite3;

// A collection file opened read-only and immutable, so that SQLite leaves
// no journal or lock beside it, with Anki's "unicase" collation in place
// for the name columns that declare it.
class AnkiDatabase
{
public:
    AnkiDatabase() = default;
    ~AnkiDatabase();
    AnkiDatabase(const AnkiDatabase &) = delete;
    AnkiDatabase &operator=(const AnkiDatabase &) = delete;

    // DamagedDatabase when SQLite cannot open it.
    AnkiProblem open(const QString &path);
    sqlite3 *handle() const { return m_db; }
    // DamagedDatabase with SQLite's last message.
    AnkiProblem damaged() const;

private:
    sqlite3 *m_db = nullptr;
};
