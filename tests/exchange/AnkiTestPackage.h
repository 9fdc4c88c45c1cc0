#pragma once

#include "exchange/AnkiCollection.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <zip.h>
#include <zstd.h>

// Anki packages put together by hand for the tests: SQLite collections of
// schema 11 or 18 written from an AnkiCollection, zstd frames, protobuf
// and the zip around them.
namespace AnkiTestPackage {

struct Member
{
    QString name;
    QByteArray bytes;
    bool deflate = true;
};

// Writes the members into a new zip at `path`; false when libzip fails.
inline bool writeZip(const QString &path, const QList<Member> &members)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const Member &member : members) {
        // The bytes live in `members` until zip_close.
        zip_source_t *source = zip_source_buffer(archive, member.bytes.constData(), zip_uint64_t(member.bytes.size()), 0);
        const zip_int64_t index = source ? zip_file_add(archive, member.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0 || zip_set_file_compression(archive, zip_uint64_t(index), member.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) != 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0;
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The uncompressed size the zip at `path` declares for `member`, in the
// local header and the central directory, set to `size`: a member that
// lies about what it inflates to.
inline bool patchDeclaredSize(const QString &path, const QString &member, quint32 size)
{
    QByteArray bytes = readAll(path);
    const QByteArray name = member.toUtf8();
    const auto u16 = [&bytes](qsizetype at) { return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8); };
    const auto put32 = [&bytes](qsizetype at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char(value >> (8 * i));
    };
    int patched = 0;
    // signature, offset of the size, offset of the name length, of the name
    const std::tuple<QByteArray, int, int, int> headers[] = {{QByteArray("PK\x03\x04"), 22, 26, 30},
                                                             {QByteArray("PK\x01\x02"), 24, 28, 46}};
    for (const auto &[signature, sizeAt, lengthAt, nameAt] : headers) {
        for (qsizetype at = bytes.indexOf(signature); at >= 0; at = bytes.indexOf(signature, at + 1)) {
            if (at + nameAt + name.size() <= bytes.size() && u16(at + lengthAt) == name.size()
                && bytes.mid(at + nameAt, name.size()) == name) {
                put32(at + sizeAt, size);
                ++patched;
            }
        }
    }
    QFile file(path);
    return patched == 2 && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// One zstd frame that does not record its content size, as streaming
// writers make them.
inline QByteArray zstd(const QByteArray &bytes)
{
    ZSTD_CCtx *context = ZSTD_createCCtx();
    ZSTD_CCtx_setParameter(context, ZSTD_c_contentSizeFlag, 0);
    QByteArray out(qsizetype(ZSTD_compressBound(size_t(bytes.size()))) + 64, Qt::Uninitialized);
    ZSTD_inBuffer in{bytes.constData(), size_t(bytes.size()), 0};
    ZSTD_outBuffer output{out.data(), size_t(out.size()), 0};
    while (ZSTD_compressStream2(context, &output, &in, ZSTD_e_end) != 0) {
    }
    ZSTD_freeCCtx(context);
    out.truncate(qsizetype(output.pos));
    return out;
}

inline QByteArray varint(quint64 value)
{
    QByteArray out;
    do {
        out += char((value & 0x7f) | (value > 0x7f ? 0x80 : 0));
        value >>= 7;
    } while (value);
    return out;
}
inline QByteArray varintField(quint32 field, quint64 value)
{
    return varint(quint64(field) << 3) + varint(value);
}
inline QByteArray bytesField(quint32 field, const QByteArray &bytes)
{
    return varint(quint64(field) << 3 | 2) + varint(quint64(bytes.size())) + bytes;
}

// {"0": "a.jpg", ...} and MediaEntries, each name in the member of its index.
inline QByteArray legacyMediaMap(const QStringList &names)
{
    QJsonObject map;
    for (qsizetype i = 0; i < names.size(); ++i)
        map.insert(QString::number(i), names.at(i));
    return QJsonDocument(map).toJson(QJsonDocument::Compact);
}
inline QByteArray currentMediaMap(const QStringList &names)
{
    QByteArray entries;
    for (const QString &name : names)
        entries += bytesField(1, bytesField(1, name.toUtf8()) + varintField(2, 1) + bytesField(3, QByteArray(20, 'x')));
    return entries;
}

inline int unicase(void *, int leftBytes, const void *left, int rightBytes, const void *right)
{
    return QStringView(static_cast<const char16_t *>(left), leftBytes / 2)
        .compare(QStringView(static_cast<const char16_t *>(right), rightBytes / 2), Qt::CaseInsensitive);
}

inline bool exec(sqlite3 *db, const QString &sql)
{
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Runs `sql` with the values bound in order (integers, texts or blobs).
inline bool insert(sqlite3 *db, const char *sql, const QVariantList &values)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        return false;
    QList<QByteArray> keep;
    for (int i = 0; i < values.size(); ++i) {
        const QVariant &value = values.at(i);
        if (value.typeId() == QMetaType::QByteArray) {
            keep.append(value.toByteArray());
            sqlite3_bind_blob(statement, i + 1, keep.last().constData(), int(keep.last().size()), SQLITE_TRANSIENT);
        } else if (value.typeId() == QMetaType::QString) {
            keep.append(value.toString().toUtf8());
            sqlite3_bind_text(statement, i + 1, keep.last().constData(), int(keep.last().size()), SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_int64(statement, i + 1, value.toLongLong());
        }
    }
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_finalize(statement);
    return done;
}

// The collection as SQLite bytes of schema 11 (note types and decks as JSON
// in `col`) or 18 (tables of their own, protobuf configurations). `extraSql`
// runs last, for what the collection cannot say (filtered decks, damage).
inline QByteArray collectionFile(const AnkiCollection &content, int schema, const QString &extraSql = QString())
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.db"));
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_create_collation(db, "unicase", SQLITE_UTF16, nullptr, unicase);
    bool ok =
        exec(db,
             QStringLiteral("BEGIN;"
                            "CREATE TABLE col (id integer primary key, crt integer, mod integer, scm integer, ver integer, dty integer,"
                            " usn integer, ls integer, conf text, models text, decks text, dconf text, tags text);"
                            "CREATE TABLE notes (id integer primary key, guid text, mid integer, mod integer, usn integer, tags text,"
                            " flds text, sfld text, csum integer, flags integer, data text);"
                            "CREATE TABLE cards (id integer primary key, nid integer, did integer, ord integer, mod integer,"
                            " usn integer, type integer, queue integer, due integer, ivl integer, factor integer, reps integer,"
                            " lapses integer, left integer, odue integer, odid integer, flags integer, data text);"
                            "CREATE INDEX ix_cards_nid ON cards (nid);"));
    QJsonObject models, decks;
    if (schema == 18) {
        ok = ok
            && exec(db,
                    QStringLiteral("CREATE TABLE notetypes (id integer primary key, name text not null collate unicase,"
                                   " mtime_secs integer, usn integer, config blob);"
                                   "CREATE UNIQUE INDEX idx_notetypes_name ON notetypes (name);"
                                   "CREATE TABLE fields (ntid integer, ord integer, name text collate unicase, config blob,"
                                   " PRIMARY KEY (ntid, ord)) WITHOUT ROWID;"
                                   "CREATE TABLE templates (ntid integer, ord integer, name text collate unicase, mtime_secs integer,"
                                   " usn integer, config blob, PRIMARY KEY (ntid, ord)) WITHOUT ROWID;"
                                   "CREATE TABLE decks (id integer primary key, name text not null collate unicase, mtime_secs integer,"
                                   " usn integer, common blob, kind blob);"
                                   "CREATE UNIQUE INDEX idx_decks_name ON decks (name);"));
        for (const AnkiNoteType &type : content.noteTypes) {
            const QByteArray config = varintField(1, int(type.kind)) + bytesField(3, ".card { color: black }");
            ok = ok && insert(db, "INSERT INTO notetypes VALUES (?, ?, 0, 0, ?)", {type.id, type.name, config});
            for (int i = 0; i < type.fields.size(); ++i)
                ok = ok && insert(db, "INSERT INTO fields VALUES (?, ?, ?, x'')", {type.id, i, type.fields.at(i)});
            for (const AnkiTemplate &t : type.templates) {
                const QByteArray formats =
                    bytesField(1, t.questionFormat.toUtf8()) + bytesField(2, t.answerFormat.toUtf8()) + varintField(5, 0);
                ok = ok && insert(db, "INSERT INTO templates VALUES (?, ?, ?, 0, 0, ?)", {type.id, t.ord, t.name, formats});
            }
        }
        for (const AnkiDeck &deck : content.decks) {
            ok = ok
                && insert(db, "INSERT INTO decks VALUES (?, ?, 0, 0, x'', ?)",
                          {deck.id, QString(deck.name).replace(QLatin1String("::"), QChar(0x1f)), bytesField(1, QByteArray())});
        }
    } else {
        for (const AnkiNoteType &type : content.noteTypes) {
            QJsonArray fields, templates;
            for (int i = 0; i < type.fields.size(); ++i)
                fields.append(QJsonObject{{"name", type.fields.at(i)}, {"ord", i}, {"sticky", false}});
            for (const AnkiTemplate &t : type.templates)
                templates.append(QJsonObject{{"name", t.name}, {"ord", t.ord}, {"qfmt", t.questionFormat}, {"afmt", t.answerFormat}});
            models.insert(QString::number(type.id),
                          QJsonObject{{"id", type.id},
                                      {"name", type.name},
                                      {"type", int(type.kind)},
                                      {"flds", fields},
                                      {"tmpls", templates},
                                      {"css", ".card {}"}});
        }
        for (const AnkiDeck &deck : content.decks)
            decks.insert(QString::number(deck.id), QJsonObject{{"id", deck.id}, {"name", deck.name}, {"dyn", 0}});
    }
    ok = ok
        && insert(db, "INSERT INTO col VALUES (1, 0, 0, 0, ?, 0, 0, 0, '{}', ?, ?, '{}', '{}')",
                  {schema, schema == 18 ? QString() : QString::fromUtf8(QJsonDocument(models).toJson()),
                   schema == 18 ? QString() : QString::fromUtf8(QJsonDocument(decks).toJson())});
    for (const AnkiNote &note : content.notes) {
        ok = ok
            && insert(db, "INSERT INTO notes VALUES (?, ?, ?, 0, 0, ?, ?, '', 0, 0, '')",
                      {note.id, QString::number(note.id), note.noteTypeId, QLatin1Char(' ') + note.tags.join(u' ') + QLatin1Char(' '),
                       note.fields.join(QChar(0x1f))});
    }
    for (const AnkiCard &card : content.cards) {
        ok = ok
            && insert(db, "INSERT INTO cards VALUES (?, ?, ?, ?, 0, 0, ?, ?, 0, ?, 2500, 0, 0, 0, 0, 0, 0, '')",
                      {card.id, card.noteId, card.deckId, card.ord, card.type, card.queue, card.interval});
    }
    ok = ok && exec(db, QStringLiteral("COMMIT;") + extraSql);
    sqlite3_close(db);
    return ok ? readAll(path) : QByteArray("<collection not made>");
}

} // namespace AnkiTestPackage
