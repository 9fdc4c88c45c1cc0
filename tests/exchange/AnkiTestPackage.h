#pragma once

#include "exchange/AnkiCollection.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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

inline bool writeZip(const QString &path, const QList<Member> &members)
{
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    for (const Member &m : members) {
        // The bytes live in `members` until zip_close.
        zip_source_t *source = zip_source_buffer(archive, m.bytes.constData(), zip_uint64_t(m.bytes.size()), 0);
        const zip_int64_t index = zip_file_add(archive, m.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0 || zip_set_file_compression(archive, zip_uint64_t(index), m.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) != 0)
            return false;
    }
    return zip_close(archive) == 0;
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Sets the uncompressed size `member` declares, in its local header and in
// the central directory: a member that lies about what it inflates to.
inline bool patchDeclaredSize(const QString &path, const QString &member, quint32 size)
{
    QByteArray bytes = readAll(path);
    const QByteArray name = member.toUtf8();
    int patched = 0;
    // signature, offset of the size, of the name length, of the name
    for (const auto &[signature, sizeAt, lengthAt, nameAt] : {std::tuple{"PK\x03\x04", 22, 26, 30}, std::tuple{"PK\x01\x02", 24, 28, 46}}) {
        for (qsizetype at = bytes.indexOf(signature); at >= 0; at = bytes.indexOf(signature, at + 1)) {
            if (bytes.mid(at + lengthAt, 2) == QByteArray(1, char(name.size())) + '\0' && bytes.mid(at + nameAt, name.size()) == name) {
                for (int i = 0; i < 4; ++i)
                    bytes[at + sizeAt + i] = char(size >> (8 * i));
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
    return out.left(qsizetype(output.pos));
}

inline QByteArray varint(quint64 value)
{
    QByteArray out;
    for (; value > 0x7f; value >>= 7)
        out += char((value & 0x7f) | 0x80);
    return out + char(value);
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

// SQL literals.
inline QString text(const QString &value)
{
    return QLatin1Char('\'') + QString(value).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}
inline QString blob(const QByteArray &value)
{
    return QStringLiteral("x'%1'").arg(QString::fromLatin1(value.toHex()));
}

inline int unicase(void *, int leftBytes, const void *left, int rightBytes, const void *right)
{
    return QStringView(static_cast<const char16_t *>(left), leftBytes / 2)
        .compare(QStringView(static_cast<const char16_t *>(right), rightBytes / 2), Qt::CaseInsensitive);
}

// The collection as SQLite bytes of schema 11 (note types and decks as JSON
// in `col`) or 18 (tables of their own, protobuf configurations). `extraSql`
// runs last, for what the collection cannot say (filtered decks, damage).
inline QByteArray collectionFile(const AnkiCollection &content, int schema, const QString &extraSql = QString())
{
    QString sql = QStringLiteral(
        "CREATE TABLE col (id integer primary key, crt, mod, scm, ver, dty, usn, ls, conf, models text, decks text, dconf, tags);"
        "CREATE TABLE notes (id integer primary key, guid, mid, mod, usn, tags, flds, sfld, csum, flags, data);"
        "CREATE TABLE cards (id integer primary key, nid, did, ord, mod, usn, type, queue, due, ivl, factor, reps, lapses, left, odue,"
        " odid, flags, data);");
    QJsonObject models, decks;
    if (schema == 18) {
        sql += QStringLiteral(
            "CREATE TABLE notetypes (id integer primary key, name text not null collate unicase, mtime_secs, usn, config blob);"
            "CREATE UNIQUE INDEX idx_notetypes_name ON notetypes (name);"
            "CREATE TABLE fields (ntid, ord, name text collate unicase, config, PRIMARY KEY (ntid, ord)) WITHOUT ROWID;"
            "CREATE TABLE templates (ntid, ord, name text collate unicase, mtime_secs, usn, config, PRIMARY KEY (ntid, ord)) WITHOUT ROWID;"
            "CREATE TABLE decks (id integer primary key, name text not null collate unicase, mtime_secs, usn, common, kind);"
            "CREATE UNIQUE INDEX idx_decks_name ON decks (name);");
        for (const AnkiNoteType &type : content.noteTypes) {
            const QByteArray config = varintField(1, quint64(type.kind)) + bytesField(3, ".card {}");
            sql += QStringLiteral("INSERT INTO notetypes VALUES (%1, %2, 0, 0, %3);").arg(type.id).arg(text(type.name), blob(config));
            for (int i = 0; i < type.fields.size(); ++i)
                sql += QStringLiteral("INSERT INTO fields VALUES (%1, %2, %3, x'');").arg(type.id).arg(i).arg(text(type.fields.at(i)));
            for (const AnkiTemplate &t : type.templates) {
                const QByteArray formats = bytesField(1, t.questionFormat.toUtf8()) + bytesField(2, t.answerFormat.toUtf8());
                sql += QStringLiteral("INSERT INTO templates VALUES (%1, %2, %3, 0, 0, %4);")
                           .arg(type.id)
                           .arg(t.ord)
                           .arg(text(t.name), blob(formats));
            }
        }
        for (const AnkiDeck &deck : content.decks) {
            sql += QStringLiteral("INSERT INTO decks VALUES (%1, %2, 0, 0, x'', x'0a00');")
                       .arg(deck.id)
                       .arg(text(QString(deck.name).replace(QLatin1String("::"), QChar(0x1f))));
        }
    } else {
        for (const AnkiNoteType &type : content.noteTypes) {
            QJsonArray fields, templates;
            for (int i = 0; i < type.fields.size(); ++i)
                fields.append(QJsonObject{{"name", type.fields.at(i)}, {"ord", i}});
            for (const AnkiTemplate &t : type.templates)
                templates.append(QJsonObject{{"name", t.name}, {"ord", t.ord}, {"qfmt", t.questionFormat}, {"afmt", t.answerFormat}});
            models.insert(
                QString::number(type.id),
                QJsonObject{{"id", type.id}, {"name", type.name}, {"type", int(type.kind)}, {"flds", fields}, {"tmpls", templates}});
        }
        for (const AnkiDeck &deck : content.decks)
            decks.insert(QString::number(deck.id), QJsonObject{{"id", deck.id}, {"name", deck.name}, {"dyn", 0}});
    }
    const auto json = [schema](const QJsonObject &o) {
        return text(schema == 18 ? QString() : QString::fromUtf8(QJsonDocument(o).toJson()));
    };
    sql += QStringLiteral("INSERT INTO col VALUES (1, 0, 0, 0, %1, 0, 0, 0, '{}', %2, %3, '{}', '{}');")
               .arg(schema)
               .arg(json(models), json(decks));
    for (const AnkiNote &n : content.notes) {
        sql += QStringLiteral("INSERT INTO notes VALUES (%1, '%1', %2, 0, 0, %3, %4, '', 0, 0, '');")
                   .arg(n.id)
                   .arg(n.noteTypeId)
                   .arg(text(QLatin1Char(' ') + n.tags.join(u' ') + QLatin1Char(' ')), text(n.fields.join(QChar(0x1f))));
    }
    for (const AnkiCard &c : content.cards) {
        sql += QStringLiteral("INSERT INTO cards VALUES (%1, %2, %3, %4, 0, 0, %5, %6, 0, %7, 2500, 0, 0, 0, 0, 0, 0, '');")
                   .arg(c.id)
                   .arg(c.noteId)
                   .arg(c.deckId)
                   .arg(c.ord)
                   .arg(c.type)
                   .arg(c.queue)
                   .arg(c.interval);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.db"));
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_create_collation(db, "unicase", SQLITE_UTF16, nullptr, unicase);
    const QByteArray all = (QStringLiteral("BEGIN;") + sql + QStringLiteral("COMMIT;") + extraSql).toUtf8();
    const bool ok = sqlite3_exec(db, all.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok ? readAll(path) : QByteArray("<collection not made>");
}

} // namespace AnkiTestPackage
