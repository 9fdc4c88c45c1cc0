#pragma once

#include "exchange/AnkiProblem.h"

#include <QList>
#include <QString>

// The user's words for what reading and converting an Anki package came
// to, for the windows and quillo-cli alike. A line break is the single
// character CR.
class AnkiMessages
{
public:
    // What is wrong, naming the note where it applies.
    static QString reason(const AnkiProblem &problem);
    // "Das Anki-Paket … kann nicht gelesen werden: …" and that no card was
    // made.
    static QString failed(const AnkiProblem &problem, const QString &path);
    // One warning: what did not come along as it was.
    static QString warning(const AnkiProblem &problem);
    // The warnings after an import, the first ten of them.
    static QString warningsMessage(const QList<AnkiProblem> &warnings);
};
