#include "exchange/AnkiNotesReader.h"

#include "exchange/AnkiCollection.h"
#include "exchange/AnkiDatabaseQuery.h"

#include <QHash>

namespace {

QStringList tagsFrom(const QString &text)
{
    QStringList tags;
    for (const QStringView tag : QStringView(text).tokenize(u' ', Qt::SkipEmptyParts)) {
        if (const QStringView trimmed = tag.trimmed(); !trimmed.isEmpty())
            tags.append(trimmed.toString());
    }
    return tags;
}

} // namespace

AnkiProblem AnkiNotesReader::read(const AnkiDatabase &database, AnkiCollection &collection)
{
    QHash<qint64, qsizetype> fieldCounts;
    for (const AnkiNoteType &type : collection.noteTypes)
        fieldCounts.insert(type.id, type.fields.size());

    AnkiDatabaseQuery notes(database, "SELECT id, mid, tags, flds FROM notes ORDER BY id");
    while (notes.next()) {
        AnkiNote note;
        note.id = notes.integer(0);
        note.noteTypeId = notes.integer(1);
        const auto count = fieldCounts.constFind(note.noteTypeId);
        if (count == fieldCounts.cend())
            return {AnkiProblem::Kind::UnknownNoteType, QString::number(note.noteTypeId), note.id};
        note.fields = notes.text(3).split(QChar(0x1f));
        if (note.fields.size() != *count)
            return {AnkiProblem::Kind::FieldCountMismatch, QString::number(note.fields.size()), note.id};
        note.tags = tagsFrom(notes.text(2));
        collection.notes.append(std::move(note));
    }
    if (notes.problem().kind != AnkiProblem::Kind::None)
        return notes.problem();

    // Cards of notes that are gone carry nothing to show; Anki's own check
    // of the database deletes them. Cards lent to a filtered deck count in
    // their home deck (odid).
    AnkiDatabaseQuery cards(database,
                            "SELECT id, nid, CASE WHEN odid != 0 THEN odid ELSE did END, ord, type, queue, ivl FROM cards "
                            "WHERE nid IN (SELECT id FROM notes) ORDER BY nid, ord, id");
    while (cards.next()) {
        collection.cards.append({cards.integer(0), cards.integer(1), cards.integer(2), int(cards.integer(3)), int(cards.integer(4)),
                                 int(cards.integer(5)), int(cards.integer(6))});
    }
    return cards.problem();
}
