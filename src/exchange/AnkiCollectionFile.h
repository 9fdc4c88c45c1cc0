#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The collection of a package in the layout every Anki since 2.0 imports
// (collection.anki2): an SQLite database of schema 11 with Anki's tables
// and indexes, one note type "Quillo" (fields "Vorderseite" and
// "Rückseite", one card each), the deck the notes go into beside Anki's
// "Default" deck, and one new card per note in the notes' order.
class AnkiCollectionFile
{
public:
    struct Note
    {
        // What Anki knows the note by from one import to the next.
        QString guid;
        // Front and back as HTML.
        QString front;
        QString back;
        QStringList tags;
    };
    struct Content
    {
        QString deckName;
        QList<Note> notes;
        // Milliseconds since 1970: the notes' and cards' ids count up from
        // here, and the time stamps are taken from it.
        qint64 now = 0;
    };
    struct Result
    {
        // The database file's bytes; empty after a failure.
        QByteArray bytes;
        // SQLite's reason for a failure.
        QString error;
    };

    static Result build(const Content &content);

    // Stay the same from one export to the next, so that Anki takes the
    // note type and deck of a later import for the ones it already has.
    static constexpr qint64 NoteTypeId = 1414213562373;
    static qint64 deckId(const QString &deckName);
};
