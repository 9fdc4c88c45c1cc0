#include "exchange/AnkiDatabaseQuery.h"

#include "exchange/AnkiDatabase.h"

#include <sqlite3.h>

AnkiDatabaseQuery::AnkiDatabaseQuery(const AnkiDatabase &database, const char *sql)
    : m_database(database)
{
    if (sqlite3_prepare_v2(database.handle(), sql, -1, &m_statement, nullptr) != SQLITE_OK)
        m_problem = database.damaged();
}

AnkiDatabaseQuery::~AnkiDatabaseQuery()
{
    sqlite3_finalize(m_statement);
}

bool AnkiDatabaseQuery::next()
{
    if (!m_statement || m_problem.kind != AnkiProblem::Kind::None)
        return false;
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE)
        m_problem = m_database.damaged();
    return false;
}

qint64 AnkiDatabaseQuery::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString AnkiDatabaseQuery::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement, column));
}

QByteArrayView AnkiDatabaseQuery::blob(int column) const
{
    const auto *bytes = static_cast<const char *>(sqlite3_column_blob(m_statement, column));
    return QByteArrayView(bytes, sqlite3_column_bytes(m_statement, column));
}
