#pragma once

#include "quiz/LearningSummary.h"

#include <QByteArray>

// What `quillo-cli stats --json` prints: one object whose members stay the
// same from set to set, the last days always all of them, oldest first.
class StatsJson
{
public:
    static QByteArray write(const LearningSummary &summary, const DueCards::Intervals &intervals);
    // "recording", "foreign", "damaged" or "later".
    static QString historyName(LearningHistory::State state);
};
