#pragma once

#include "exchange/AnkiCollection.h"
#include "exchange/AnkiProblem.h"

#include "cardset/Card.h"
#include "cardset/FontRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

// The cards of an Anki package as Quillo cards: each Anki card one card,
// its question on the front and its answer on the back, rendered from the
// note type's templates; pictures embedded, sounds as packaged objects.
struct AnkiCards
{
    QList<Card> cards;
    // Kind::None when the cards were made.
    AnkiProblem error;
    // What did not come along, each kind of content once.
    QList<AnkiProblem> warnings;

    bool ok() const { return error.kind == AnkiProblem::Kind::None; }

    // The cards of `deck` and its sub-decks, or every card when `deck` is
    // empty; faces in the standard fonts given, pictures at most
    // `pictureWidth` wide (0 for their own width).
    static AnkiCards build(const AnkiCollection &collection, const QString &deck, const FontRecord &front, const FontRecord &back,
                           qreal pictureWidth);
    // The box a card goes to: a tag "Kasten::N" (1 to 4), else by how far
    // Anki's learning came: new and learning 1, review by its interval:
    // under 7 days 2, under 30 days 3, else 4.
    static int boxOf(const AnkiCard &card, const AnkiNote &note);
    // The decks worth a choice: those holding cards and the decks above
    // them, sorted.
    static QStringList deckChoices(const AnkiCollection &collection);
    // What the set is called: the deck chosen; for every card the deck they
    // all lie in, else the package's own name.
    static QString setName(const AnkiCollection &collection, const QString &deck, const QString &packagePath);
    // Where a set of that name is saved: beside the package, under a free
    // name.
    static QString savePathFor(const QString &packagePath, const QString &setName);
};
