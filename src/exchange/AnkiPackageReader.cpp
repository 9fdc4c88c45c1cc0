#include "exchange/AnkiPackageReader.h"

#include "exchange/AnkiCurrentSchema.h"
#include "exchange/AnkiDatabase.h"
#include "exchange/AnkiDatabaseQuery.h"
#include "exchange/AnkiLegacySchema.h"
#include "exchange/AnkiMediaMap.h"
#include "exchange/AnkiNotesReader.h"
#include "exchange/AnkiProtobufReader.h"
#include "exchange/AnkiUnpackBudget.h"
#include "exchange/AnkiZipArchive.h"
#include "exchange/AnkiZstdStream.h"

#include "cardset/CheckedFileWriter.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

using Kind = AnkiProblem::Kind;

bool failed(const AnkiProblem &problem)
{
    return problem.kind != Kind::None;
}

// What the member "meta" says, or what the members present say in the
// packages made before it.
struct Layout
{
    QString collection;
    // The collection and every media member are zstd frames; the media
    // list is protobuf, not JSON.
    bool zstd = false;
};

AnkiProblem findLayout(const AnkiZipArchive &zip, AnkiUnpackBudget &budget, Layout &layout)
{
    const QString anki2 = QStringLiteral("collection.anki2"), anki21 = QStringLiteral("collection.anki21"),
                  anki21b = QStringLiteral("collection.anki21b");
    quint64 version = 0;
    if (zip.contains(QStringLiteral("meta"))) {
        QByteArray meta;
        if (AnkiProblem problem = zip.readAll(QStringLiteral("meta"), budget, meta); failed(problem))
            return problem;
        version = AnkiProtobufReader::varintField(meta, 1);
        if (version < 1 || version > 3)
            return {Kind::UnknownVersion, QString::number(version), 0};
    } else {
        version = zip.contains(anki21b) ? 3 : 2;
    }
    // Packages of the current layout hold a collection.anki2 as well, one
    // note asking to update Anki: never the one to read.
    if (version == 3)
        layout = {anki21b, true};
    else
        layout = {zip.contains(anki21) ? anki21 : anki2, false};
    if (!zip.contains(layout.collection))
        return {Kind::NoCollection, layout.collection, 0};
    return {};
}

AnkiProblem readMediaMap(const AnkiZipArchive &zip, const Layout &layout, AnkiUnpackBudget &budget, QList<AnkiMediaMap::Entry> &entries)
{
    const QString member = QStringLiteral("media");
    if (!zip.contains(member))
        return {};
    QByteArray bytes;
    if (AnkiProblem problem = zip.readAll(member, budget, bytes); failed(problem))
        return problem;
    if (layout.zstd) {
        QByteArray packed;
        packed.swap(bytes);
        if (AnkiProblem problem = AnkiZstdStream::decompress(packed, budget, member, bytes); failed(problem))
            return problem;
    }
    AnkiProblem problem = layout.zstd ? AnkiMediaMap::fromProtobuf(bytes, entries) : AnkiMediaMap::fromJson(bytes, entries);
    if (failed(problem))
        return problem;
    for (const AnkiMediaMap::Entry &entry : entries) {
        if (!zip.contains(entry.member))
            return {Kind::MissingMedia, entry.member, 0};
    }
    return {};
}

// The member unpacked into the file `path`.
AnkiProblem extractTo(const AnkiZipArchive &zip, const QString &member, bool zstd, AnkiUnpackBudget &budget, const QString &path)
{
    CheckedFileWriter writer(path);
    writer.setScratch();
    const AnkiByteSink toFile = [&writer](QByteArrayView bytes) {
        return writer.write(bytes) ? AnkiProblem{} : AnkiProblem{Kind::Unreadable, writer.result().reason, 0};
    };
    AnkiProblem problem;
    if (zstd) {
        AnkiZstdStream stream(budget, member, toFile);
        problem = zip.extract(member, budget, [&stream](QByteArrayView bytes) { return stream.feed(bytes); });
        if (!failed(problem))
            problem = stream.finish();
    } else {
        problem = zip.extract(member, budget, toFile);
    }
    if (failed(problem)) {
        writer.fail(problem.detail);
        return problem;
    }
    if (const FileResult result = writer.commit(); !result.ok())
        return {Kind::Unreadable, result.reason, 0};
    return {};
}

AnkiProblem readDatabase(const QString &path, AnkiCollection &collection)
{
    AnkiDatabase database;
    if (AnkiProblem problem = database.open(path); failed(problem))
        return problem;
    qint64 version = 0;
    {
        AnkiDatabaseQuery query(database, "SELECT ver FROM col");
        if (!query.next())
            return failed(query.problem()) ? query.problem() : AnkiProblem{Kind::DamagedDatabase, QStringLiteral("col"), 0};
        version = query.integer(0);
    }
    AnkiProblem problem;
    if (version == AnkiLegacySchema::version)
        problem = AnkiLegacySchema::read(database, collection);
    else if (version == AnkiCurrentSchema::version)
        problem = AnkiCurrentSchema::read(database, collection);
    else
        return {Kind::UnknownVersion, QString::number(version), 0};
    if (failed(problem))
        return problem;
    // Parents before their subdecks.
    std::sort(collection.decks.begin(), collection.decks.end(),
              [](const AnkiDeck &a, const AnkiDeck &b) { return a.name.compare(b.name, Qt::CaseInsensitive) < 0; });
    return AnkiNotesReader::read(database, collection);
}

AnkiProblem readPackage(const QString &path, qint64 unpackLimit, AnkiCollection &collection)
{
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {Kind::Unreadable, file.errorString(), 0};
    }
    AnkiZipArchive zip;
    if (AnkiProblem problem = zip.open(path); failed(problem))
        return problem;
    AnkiUnpackBudget budget(unpackLimit);
    Layout layout;
    if (AnkiProblem problem = findLayout(zip, budget, layout); failed(problem))
        return problem;
    QList<AnkiMediaMap::Entry> media;
    if (AnkiProblem problem = readMediaMap(zip, layout, budget, media); failed(problem))
        return problem;

    // SQLite reads files only; this folder and the file go when done.
    const QTemporaryDir work;
    if (!work.isValid())
        return {Kind::Unreadable, work.errorString(), 0};
    const QString databasePath = work.filePath(QStringLiteral("collection.db"));
    if (AnkiProblem problem = extractTo(zip, layout.collection, layout.zstd, budget, databasePath); failed(problem))
        return problem;
    if (AnkiProblem problem = readDatabase(databasePath, collection); failed(problem))
        return problem;

    if (media.isEmpty())
        return {};
    collection.media = std::make_unique<QTemporaryDir>();
    if (!collection.media->isValid())
        return {Kind::Unreadable, collection.media->errorString(), 0};
    for (const AnkiMediaMap::Entry &entry : std::as_const(media)) {
        if (AnkiProblem problem = extractTo(zip, entry.member, layout.zstd, budget, collection.media->filePath(entry.name));
            failed(problem))
            return problem;
    }
    return {};
}

} // namespace

AnkiPackageReader::Result AnkiPackageReader::read(const QString &path)
{
    return read(path, AnkiUnpackBudget::limitFor(QFileInfo(path).size()));
}

AnkiPackageReader::Result AnkiPackageReader::read(const QString &path, qint64 unpackLimit)
{
    Result result;
    result.collection = std::make_unique<AnkiCollection>();
    result.problem = readPackage(path, unpackLimit, *result.collection);
    if (result.problem.kind != Kind::None)
        result.collection.reset();
    return result;
}
