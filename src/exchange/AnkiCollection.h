#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// What an Anki package holds, as its reader hands it on: note types with
// their fields and templates, decks, notes, cards and the folder the media
// were unpacked into. Layout-neutral: every package layout reads into this.
struct AnkiTemplate
{
    QString name;
    int ord = 0;
    QString questionFormat;
    QString answerFormat;
};

struct AnkiNoteType
{
    enum class Kind { Standard = 0, Cloze = 1 };

    qint64 id = 0;
    QString name;
    Kind kind = Kind::Standard;
    // Field names in field order (ord 0, 1, ...).
    QStringList fields;
    // In template order (ord 0, 1, ...).
    QList<AnkiTemplate> templates;
};

struct AnkiDeck
{
    qint64 id = 0;
    // Levels joined by "::", as Anki shows them ("Sprachen::Französisch").
    QString name;
};

struct AnkiNote
{
    qint64 id = 0;
    qint64 noteTypeId = 0;
    // One HTML field per field of the note type, in field order.
    QStringList fields;
    QStringList tags;
};

struct AnkiCard
{
    // Anki's card type and queue: type 0 new, 1 learning, 2 review,
    // 3 relearning; queue -1 suspended, -2/-3 buried.
    qint64 id = 0;
    qint64 noteId = 0;
    qint64 deckId = 0;
    // The template (standard note types) or cloze number - 1 (cloze).
    int ord = 0;
    int type = 0;
    int queue = 0;
    // Days, for review cards.
    int interval = 0;
};

struct AnkiCollection
{
    QList<AnkiNoteType> noteTypes;
    QList<AnkiDeck> decks;
    QList<AnkiNote> notes;
    // In the package's order of notes, then template/cloze order.
    QList<AnkiCard> cards;
    // The media, unpacked under their own (bare) names; removed with the
    // collection. Null when the package holds none.
    std::unique_ptr<QTemporaryDir> media;

    QString mediaFolder() const { return media ? media->path() : QString(); }
};
