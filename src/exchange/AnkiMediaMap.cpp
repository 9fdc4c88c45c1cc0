#include "exchange/AnkiMediaMap.h"

#include "exchange/AnkiProtobufReader.h"

#include <QJsonDocument>
#include <QJsonObject>

bool AnkiMediaMap::isSafeName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    for (const QChar c : name) {
        // ':' makes a drive or a stream on Windows; Anki never writes it.
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

AnkiProblem AnkiMediaMap::checkNames(const QList<Entry> &entries)
{
    for (const Entry &entry : entries) {
        if (!isSafeName(entry.name))
            return {AnkiProblem::Kind::UnsafeMediaName, entry.name, 0};
    }
    return {};
}

AnkiProblem AnkiMediaMap::fromJson(QByteArrayView json, QList<Entry> &entries)
{
    entries.clear();
    // Old packages without media hold an empty member.
    if (json.trimmed().isEmpty())
        return {};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray(), &error);
    if (!document.isObject())
        return {AnkiProblem::Kind::Unreadable, QStringLiteral("media: ") + error.errorString(), 0};
    const QJsonObject map = document.object();
    entries.reserve(map.size());
    for (auto it = map.begin(); it != map.end(); ++it) {
        if (!it.value().isString())
            return {AnkiProblem::Kind::UnsafeMediaName, it.value().toVariant().toString(), 0};
        entries.append({it.key(), it.value().toString()});
    }
    return checkNames(entries);
}

AnkiProblem AnkiMediaMap::fromProtobuf(QByteArrayView message, QList<Entry> &entries)
{
    constexpr quint32 entriesField = 1, nameField = 1, zipNameField = 255;
    entries.clear();
    AnkiProtobufReader reader(message);
    qint64 position = 0;
    while (reader.next()) {
        if (reader.field() != entriesField || !reader.isBytes())
            continue;
        const QByteArrayView entry = reader.bytes();
        const QByteArrayView name = AnkiProtobufReader::bytesField(entry, nameField);
        const quint64 member = AnkiProtobufReader::varintField(entry, zipNameField, quint64(position));
        entries.append({QString::number(member), QString::fromUtf8(name)});
        ++position;
    }
    if (reader.damaged())
        return {AnkiProblem::Kind::Unreadable, QStringLiteral("media: damaged list"), 0};
    return checkNames(entries);
}
