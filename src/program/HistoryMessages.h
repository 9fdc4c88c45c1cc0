#pragma once

#include "cardset/LearningHistory.h"

#include <QString>

// The German words for a learning history the set does not record into,
// alike in the windows and quillo-cli.
class HistoryMessages
{
public:
    // Why no answer is recorded, with what is wrong with a damaged history;
    // empty while the history records.
    static QString notRecording(const LearningHistory &history);
    // Said when a set is opened: only a history that was refused (damaged,
    // or of a later version), not another program's data, which is no fault.
    static QString refusedOnOpen(const LearningHistory &history, const QString &path);

private:
    static QString damage(LearningHistory::Damage damage);
};
