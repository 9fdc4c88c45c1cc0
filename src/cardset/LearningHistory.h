#pragma once

#include "cardset/LearningAnswer.h"

#include <QList>

// The answers recorded for a set's cards, kept in the set file. A set that
// found something else where its history would lie keeps that untouched
// and records nothing.
class LearningHistory
{
public:
    enum class State {
        Recording, // empty, or a history read whole: answers are recorded
        Foreign,   // the file holds another program's extra data: kept as it is
        Damaged,   // a history that cannot be read whole: kept as it is
        Later,     // a history of a later version: kept as it is
    };

    State state() const { return m_state; }
    bool canRecord() const { return m_state == State::Recording; }
    // In the order they were given.
    const QList<LearningAnswer> &answers() const { return m_answers; }
    bool isEmpty() const { return m_answers.isEmpty(); }

private:
    friend class CardSet;
    State m_state = State::Recording;
    QList<LearningAnswer> m_answers;
};
