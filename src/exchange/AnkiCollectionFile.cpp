#include "exchange/AnkiCollectionFile.h"

#include "exchange/AnkiFieldText.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <memory>
#include <sqlite3.h>

namespace {

// Anki's schema 11, as its own collections of that version are made; the
// indexes are made once the rows are in, which is quicker.
const char *const kTables = R"(
create table col (id integer primary key, crt integer not null, mod integer not null, scm integer not null,
  ver integer not null, dty integer not null, usn integer not null, ls integer not null, conf text not null,
  models text not null, decks text not null, dconf text not null, tags text not null);
create table notes (id integer primary key, guid text not null, mid integer not null, mod integer not null,
  usn integer not null, tags text not null, flds text not null, sfld integer not null, csum integer not null,
  flags integer not null, data text not null);
create table cards (id integer primary key, nid integer not null, did integer not null, ord integer not null,
  mod integer not null, usn integer not null, type integer not null, queue integer not null, due integer not null,
  ivl integer not null, factor integer not null, reps integer not null, lapses integer not null, left integer not null,
  odue integer not null, odid integer not null, flags integer not null, data text not null);
create table revlog (id integer primary key, cid integer not null, usn integer not null, ease integer not null,
  ivl integer not null, lastIvl integer not null, factor integer not null, time integer not null, type integer not null);
create table graves (usn integer not null, oid integer not null, type integer not null);
)";
const char *const kIndexes = R"(
create index ix_notes_usn on notes (usn);
create index ix_cards_usn on cards (usn);
create index ix_revlog_usn on revlog (usn);
create index ix_cards_nid on cards (nid);
create index ix_cards_sched on cards (did, queue, due);
create index ix_revlog_cid on revlog (cid);
create index ix_notes_csum on notes (csum);
)";

constexpr qint64 kDefaultDeck = 1;
constexpr qint64 kDefaultOptions = 1;

struct CloseDatabase
{
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};
struct FinishStatement
{
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;
using Statement = std::unique_ptr<sqlite3_stmt, FinishStatement>;

QString json(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QJsonArray pair(int a = 0, int b = 0)
{
    return QJsonArray{a, b};
}

QJsonObject field(const QString &name, int ord)
{
    return {{"name", name}, {"ord", ord}, {"sticky", false}, {"rtl", false}, {"font", "Arial"}, {"size", 20}, {"media", QJsonArray()}};
}

QJsonObject noteType(qint64 deck, qint64 seconds)
{
    const QJsonObject card{{"name", QStringLiteral("Karte 1")},
                           {"ord", 0},
                           {"qfmt", QStringLiteral("{{Vorderseite}}")},
                           {"afmt", QStringLiteral("{{FrontSide}}<hr id=answer>{{Rückseite}}")},
                           {"did", QJsonValue::Null},
                           {"bqfmt", QString()},
                           {"bafmt", QString()}};
    return {{"id", AnkiCollectionFile::NoteTypeId},
            {"name", QStringLiteral("Quillo")},
            {"type", 0},
            {"mod", seconds},
            {"usn", -1},
            {"sortf", 0},
            {"did", deck},
            {"tmpls", QJsonArray{card}},
            {"flds", QJsonArray{field(QStringLiteral("Vorderseite"), 0), field(QStringLiteral("Rückseite"), 1)}},
            {"css",
             QStringLiteral(".card {\n font-family: arial;\n font-size: 20px;\n text-align: center;\n color: black;\n"
                            " background-color: white;\n}\n")},
            {"latexPre",
             QStringLiteral("\\documentclass[12pt]{article}\n\\special{papersize=3in,5in}\n\\usepackage[utf8]{inputenc}\n"
                            "\\usepackage{amssymb,amsmath}\n\\pagestyle{empty}\n\\setlength{\\parindent}{0in}\n"
                            "\\begin{document}\n")},
            {"latexPost", QStringLiteral("\\end{document}")},
            // Anki 2.0 makes a note's cards by this: the card needs the front.
            {"req", QJsonArray{QJsonArray{0, QStringLiteral("all"), QJsonArray{0}}}},
            {"tags", QJsonArray()},
            {"vers", QJsonArray()}};
}

QJsonObject deck(qint64 id, const QString &name, qint64 seconds)
{
    return {{"id", id},
            {"name", name},
            {"desc", QString()},
            {"mod", seconds},
            {"usn", -1},
            {"lrnToday", pair()},
            {"revToday", pair()},
            {"newToday", pair()},
            {"timeToday", pair()},
            {"collapsed", false},
            {"browserCollapsed", false},
            {"dyn", 0},
            {"conf", kDefaultOptions},
            {"extendNew", 10},
            {"extendRev", 50}};
}

QJsonObject deckOptions()
{
    return {
        {"id", kDefaultOptions},
        {"name", QStringLiteral("Default")},
        {"mod", 0},
        {"usn", 0},
        {"maxTaken", 60},
        {"autoplay", true},
        {"replayq", true},
        {"timer", 0},
        {"dyn", false},
        {"new",
         QJsonObject{{"bury", true},
                     {"delays", QJsonArray{1, 10}},
                     {"initialFactor", 2500},
                     {"ints", QJsonArray{1, 4, 7}},
                     {"order", 1},
                     {"perDay", 20},
                     {"separate", true}}},
        {"rev",
         QJsonObject{{"bury", true}, {"ease4", 1.3}, {"fuzz", 0.05}, {"ivlFct", 1}, {"maxIvl", 36500}, {"minSpace", 1}, {"perDay", 200}}},
        {"lapse", QJsonObject{{"delays", QJsonArray{10}}, {"leechAction", 0}, {"leechFails", 8}, {"minInt", 1}, {"mult", 0}}}};
}

QJsonObject collectionOptions(qsizetype notes)
{
    return {{"activeDecks", QJsonArray{kDefaultDeck}},
            {"curDeck", kDefaultDeck},
            {"newSpread", 0},
            {"collapseTime", 1200},
            {"timeLim", 0},
            {"estTimes", true},
            {"dueCounts", true},
            {"curModel", QString::number(AnkiCollectionFile::NoteTypeId)},
            {"nextPos", qint64(notes) + 1},
            {"sortType", QStringLiteral("noteFld")},
            {"sortBackwards", false},
            {"addToCur", true}};
}

// Runs the statements one after the other; SQLite's reason, empty when all ran.
QString run(sqlite3 *db, const char *sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return QString();
    const QString reason = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    return reason;
}

Statement prepare(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    return Statement(statement);
}

void bindText(sqlite3_stmt *statement, int column, const QByteArray &utf8)
{
    sqlite3_bind_text(statement, column, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// One statement run with its bindings, then made ready for the next.
bool step(sqlite3_stmt *statement)
{
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_reset(statement);
    return done;
}

// Anki separates fields by U+001F and strips other control characters
// from fields; a face holding one would shift the fields.
QString cleanField(const QString &html)
{
    QString field = html;
    field.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\n'; });
    return field;
}

} // namespace

qint64 AnkiCollectionFile::deckId(const QString &deckName)
{
    // Ids Anki makes are times in milliseconds; one from the name's hash
    // looks like those and is the same for the same name.
    const QByteArray hash = QCryptographicHash::hash(deckName.toUtf8(), QCryptographicHash::Sha1);
    return 1000000000000 + qint64(qFromBigEndian<quint64>(hash.constData()) % 1000000000000);
}

AnkiCollectionFile::Result AnkiCollectionFile::build(const Content &content)
{
    Result result;
    sqlite3 *opened = nullptr;
    const int openCode = sqlite3_open_v2(":memory:", &opened, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Database db(opened);
    if (openCode != SQLITE_OK) {
        result.error = QString::fromUtf8(db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(openCode));
        return result;
    }
    const auto failed = [&](const QString &reason = QString()) {
        result.error = reason.isEmpty() ? QString::fromUtf8(sqlite3_errmsg(db.get())) : reason;
        return result;
    };
    // Nothing to roll back to: a failure discards the whole database.
    if (const QString reason = run(db.get(), "pragma journal_mode = off"); !reason.isEmpty())
        return failed(reason);
    if (const QString reason = run(db.get(), kTables); !reason.isEmpty())
        return failed(reason);
    if (const QString reason = run(db.get(), "begin"); !reason.isEmpty())
        return failed(reason);

    const qint64 seconds = content.now / 1000;
    const qint64 did = deckId(content.deckName);
    Statement col = prepare(db.get(), "insert into col values (1, ?, ?, ?, 11, 0, 0, 0, ?, ?, ?, ?, '{}')");
    if (!col)
        return failed();
    const QJsonObject decks{{QString::number(kDefaultDeck), deck(kDefaultDeck, QStringLiteral("Default"), seconds)},
                            {QString::number(did), deck(did, content.deckName, seconds)}};
    // The day the collection was made starts at midnight UTC.
    sqlite3_bind_int64(col.get(), 1, seconds - seconds % 86400);
    sqlite3_bind_int64(col.get(), 2, content.now);
    sqlite3_bind_int64(col.get(), 3, content.now);
    bindText(col.get(), 4, json(collectionOptions(content.notes.size())).toUtf8());
    bindText(col.get(), 5, json(QJsonObject{{QString::number(NoteTypeId), noteType(did, seconds)}}).toUtf8());
    bindText(col.get(), 6, json(decks).toUtf8());
    bindText(col.get(), 7, json(QJsonObject{{QString::number(kDefaultOptions), deckOptions()}}).toUtf8());
    if (!step(col.get()))
        return failed();

    Statement note = prepare(db.get(), "insert into notes values (?, ?, ?, ?, -1, ?, ?, ?, ?, 0, '')");
    Statement card = prepare(db.get(), "insert into cards values (?, ?, ?, 0, ?, -1, 0, 0, ?, 0, 0, 0, 0, 0, 0, 0, 0, '')");
    if (!note || !card)
        return failed();
    for (qsizetype i = 0; i < content.notes.size(); ++i) {
        const Note &n = content.notes.at(i);
        const qint64 id = content.now + i;
        const QString front = cleanField(n.front);
        // Tags are stored between spaces.
        const QString tags = n.tags.isEmpty() ? QString() : u' ' + n.tags.join(u' ') + u' ';
        sqlite3_bind_int64(note.get(), 1, id);
        bindText(note.get(), 2, n.guid.toUtf8());
        sqlite3_bind_int64(note.get(), 3, NoteTypeId);
        sqlite3_bind_int64(note.get(), 4, seconds);
        bindText(note.get(), 5, tags.toUtf8());
        bindText(note.get(), 6, (front + QChar(0x1F) + cleanField(n.back)).toUtf8());
        bindText(note.get(), 7, AnkiFieldText::stripped(front).toUtf8());
        sqlite3_bind_int64(note.get(), 8, AnkiFieldText::checksum(front));
        if (!step(note.get()))
            return failed();
        sqlite3_bind_int64(card.get(), 1, id);
        sqlite3_bind_int64(card.get(), 2, id);
        sqlite3_bind_int64(card.get(), 3, did);
        sqlite3_bind_int64(card.get(), 4, seconds);
        // New cards come in the order of the set.
        sqlite3_bind_int64(card.get(), 5, i + 1);
        if (!step(card.get()))
            return failed();
    }
    if (const QString reason = run(db.get(), kIndexes); !reason.isEmpty())
        return failed(reason);
    if (const QString reason = run(db.get(), "commit"); !reason.isEmpty())
        return failed(reason);

    sqlite3_int64 size = 0;
    unsigned char *bytes = sqlite3_serialize(db.get(), "main", &size, 0);
    if (!bytes)
        return failed(QString::fromUtf8(sqlite3_errstr(SQLITE_NOMEM)));
    result.bytes = QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size));
    sqlite3_free(bytes);
    return result;
}
