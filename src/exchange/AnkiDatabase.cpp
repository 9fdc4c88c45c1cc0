#include "exchange/AnkiDatabase.h"

#include <QStringView>
#include <QUrl>

#include <sqlite3.h>

namespace {

// Case-insensitive, as Anki compares deck and note type names.
int compareUnicase(void *, int leftBytes, const void *left, int rightBytes, const void *right)
{
    const QStringView a(static_cast<const char16_t *>(left), leftBytes / 2);
    const QStringView b(static_cast<const char16_t *>(right), rightBytes / 2);
    return a.compare(b, Qt::CaseInsensitive);
}

} // namespace

AnkiDatabase::~AnkiDatabase()
{
    sqlite3_close_v2(m_db);
}

AnkiProblem AnkiDatabase::open(const QString &path)
{
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded() + "?immutable=1";
    const int code = sqlite3_open_v2(uri.constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (code != SQLITE_OK)
        return m_db ? damaged() : AnkiProblem{AnkiProblem::Kind::DamagedDatabase, QString::fromUtf8(sqlite3_errstr(code)), 0};
    if (sqlite3_create_collation_v2(m_db, "unicase", SQLITE_UTF16, nullptr, compareUnicase, nullptr) != SQLITE_OK)
        return damaged();
    return {};
}

AnkiProblem AnkiDatabase::damaged() const
{
    return {AnkiProblem::Kind::DamagedDatabase, QString::fromUtf8(sqlite3_errmsg(m_db)), 0};
}
