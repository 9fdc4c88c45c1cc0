#include "exchange/AnkiLegacySchema.h"

#include "exchange/AnkiCollection.h"
#include "exchange/AnkiDatabaseQuery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

AnkiProblem parseObject(const QString &json, const QString &column, QJsonObject &object)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (!document.isObject())
        return {AnkiProblem::Kind::DamagedDatabase, column + QStringLiteral(": ") + error.errorString(), 0};
    object = document.object();
    return {};
}

// The id a JSON object gives itself; older collections keep it only as
// the object's key.
qint64 idOf(const QJsonObject &object, const QString &key)
{
    const QJsonValue id = object.value(QLatin1String("id"));
    return id.isDouble() ? id.toInteger() : key.toLongLong();
}

// Entries of a "flds" or "tmpls" array in their "ord" order; entries
// without one keep their place.
QList<QJsonObject> inOrder(const QJsonArray &array)
{
    QList<std::pair<qint64, QJsonObject>> ordered;
    ordered.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonObject entry = array.at(i).toObject();
        ordered.append({entry.value(QLatin1String("ord")).toInteger(i), entry});
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<QJsonObject> result;
    result.reserve(ordered.size());
    for (const auto &entry : ordered)
        result.append(entry.second);
    return result;
}

AnkiNoteType noteTypeFrom(const QJsonObject &json, const QString &key)
{
    AnkiNoteType type;
    type.id = idOf(json, key);
    type.name = json.value(QLatin1String("name")).toString();
    type.kind = json.value(QLatin1String("type")).toInteger() == 1 ? AnkiNoteType::Kind::Cloze : AnkiNoteType::Kind::Standard;
    for (const QJsonObject &field : inOrder(json.value(QLatin1String("flds")).toArray()))
        type.fields.append(field.value(QLatin1String("name")).toString());
    int ord = 0;
    for (const QJsonObject &tmpl : inOrder(json.value(QLatin1String("tmpls")).toArray())) {
        type.templates.append({tmpl.value(QLatin1String("name")).toString(), int(tmpl.value(QLatin1String("ord")).toInteger(ord)),
                               tmpl.value(QLatin1String("qfmt")).toString(), tmpl.value(QLatin1String("afmt")).toString()});
        ++ord;
    }
    return type;
}

} // namespace

AnkiProblem AnkiLegacySchema::read(const AnkiDatabase &database, AnkiCollection &collection)
{
    AnkiDatabaseQuery query(database, "SELECT models, decks FROM col");
    if (!query.next())
        return query.problem().kind != AnkiProblem::Kind::None ? query.problem()
                                                               : AnkiProblem{AnkiProblem::Kind::DamagedDatabase, QStringLiteral("col"), 0};
    QJsonObject models, decks;
    if (AnkiProblem problem = parseObject(query.text(0), QStringLiteral("models"), models); problem.kind != AnkiProblem::Kind::None)
        return problem;
    if (AnkiProblem problem = parseObject(query.text(1), QStringLiteral("decks"), decks); problem.kind != AnkiProblem::Kind::None)
        return problem;

    for (auto it = models.begin(); it != models.end(); ++it)
        collection.noteTypes.append(noteTypeFrom(it.value().toObject(), it.key()));
    std::sort(collection.noteTypes.begin(), collection.noteTypes.end(), [](const auto &a, const auto &b) { return a.id < b.id; });

    for (auto it = decks.begin(); it != decks.end(); ++it) {
        const QJsonObject deck = it.value().toObject();
        // A filtered deck only borrows cards; they keep their home deck.
        const QJsonValue filtered = deck.value(QLatin1String("dyn"));
        if (filtered.toBool() || filtered.toInteger() != 0)
            continue;
        collection.decks.append({idOf(deck, it.key()), deck.value(QLatin1String("name")).toString()});
    }
    return {};
}
