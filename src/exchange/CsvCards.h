#pragma once

#include "exchange/CsvProblem.h"
#include "exchange/CsvReader.h"
#include "exchange/HtmlFace.h"

#include "cardset/Card.h"
#include "cardset/FontRecord.h"

#include <QList>
#include <QTextCharFormat>

// The cards of a word list read: each field a face written in the set's
// standard font of its side, each card in its box (box 1 when the file
// gives none).
struct CsvCards
{
    QList<Card> cards;
    // Pictures that did not come along and markup cut down, by line.
    QList<CsvProblem> problems;

    static CsvCards build(const CsvTable &table, const FontRecord &front, const FontRecord &back, const HtmlFace::Pictures &pictures);
    // Where a set made from the word list at `listPath` is saved: beside
    // it with the ending ".ql3", or under the next free name (liste_1.ql3
    // ...) so that no set is overwritten unasked.
    static QString savePathFor(const QString &listPath);
    // The format new text of a face gets from a standard font.
    static QTextCharFormat standardFormat(const FontRecord &font);
};
