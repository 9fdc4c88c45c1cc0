#include "exchange/AnkiCurrentSchema.h"

#include "exchange/AnkiCollection.h"
#include "exchange/AnkiDatabaseQuery.h"
#include "exchange/AnkiProtobufReader.h"

#include <QHash>

namespace {

// Field numbers of the configurations.
constexpr quint32 noteTypeKind = 1;
constexpr quint32 questionFormat = 1, answerFormat = 2;
constexpr quint32 filteredDeck = 2;

} // namespace

AnkiProblem AnkiCurrentSchema::read(const AnkiDatabase &database, AnkiCollection &collection)
{
    QHash<qint64, qsizetype> typeIndex;
    AnkiDatabaseQuery types(database, "SELECT id, name, config FROM notetypes ORDER BY id");
    while (types.next()) {
        AnkiNoteType type;
        type.id = types.integer(0);
        type.name = types.text(1);
        type.kind =
            AnkiProtobufReader::varintField(types.blob(2), noteTypeKind) == 1 ? AnkiNoteType::Kind::Cloze : AnkiNoteType::Kind::Standard;
        typeIndex.insert(type.id, collection.noteTypes.size());
        collection.noteTypes.append(type);
    }
    if (types.problem().kind != AnkiProblem::Kind::None)
        return types.problem();

    AnkiDatabaseQuery fields(database, "SELECT ntid, name FROM fields ORDER BY ntid, ord");
    while (fields.next()) {
        if (const auto it = typeIndex.constFind(fields.integer(0)); it != typeIndex.cend())
            collection.noteTypes[*it].fields.append(fields.text(1));
    }
    if (fields.problem().kind != AnkiProblem::Kind::None)
        return fields.problem();

    AnkiDatabaseQuery templates(database, "SELECT ntid, ord, name, config FROM templates ORDER BY ntid, ord");
    while (templates.next()) {
        const auto it = typeIndex.constFind(templates.integer(0));
        if (it == typeIndex.cend())
            continue;
        const QByteArrayView config = templates.blob(3);
        collection.noteTypes[*it].templates.append({templates.text(2), int(templates.integer(1)),
                                                    QString::fromUtf8(AnkiProtobufReader::bytesField(config, questionFormat)),
                                                    QString::fromUtf8(AnkiProtobufReader::bytesField(config, answerFormat))});
    }
    if (templates.problem().kind != AnkiProblem::Kind::None)
        return templates.problem();

    AnkiDatabaseQuery decks(database, "SELECT id, name, kind FROM decks ORDER BY name");
    while (decks.next()) {
        // A filtered deck only borrows cards; they keep their home deck.
        if (AnkiProtobufReader::hasField(decks.blob(2), filteredDeck))
            continue;
        QString name = decks.text(1);
        name.replace(QChar(0x1f), QLatin1String("::"));
        collection.decks.append({decks.integer(0), name});
    }
    if (decks.problem().kind != AnkiProblem::Kind::None)
        return decks.problem();
    return {};
}
