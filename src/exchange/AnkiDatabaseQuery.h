#pragma once

#include "exchange/AnkiProblem.h"

#include <QByteArrayView>
#include <QString>

class AnkiDatabase;
struct sqlite3_stmt;

// One prepared statement over a collection, stepped row by row. A failure
// to prepare or step (a missing table, a damaged page) is kept as the
// problem; rows() then ends.
class AnkiDatabaseQuery
{
public:
    AnkiDatabaseQuery(const AnkiDatabase &database, const char *sql);
    ~AnkiDatabaseQuery();
    AnkiDatabaseQuery(const AnkiDatabaseQuery &) = delete;
    AnkiDatabaseQuery &operator=(const AnkiDatabaseQuery &) = delete;

    // Moves to the next row; false at the end or on failure.
    bool next();
    const AnkiProblem &problem() const { return m_problem; }

    qint64 integer(int column) const;
    QString text(int column) const;
    QByteArrayView blob(int column) const;

private:
    const AnkiDatabase &m_database;
    sqlite3_stmt *m_statement = nullptr;
    AnkiProblem m_problem;
};
