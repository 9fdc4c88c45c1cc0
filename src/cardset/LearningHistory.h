#pragma once

#include "cardset/LearningAnswer.h"

#include <QByteArray>
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
    // What made a history Damaged.
    enum class Damage {
        None,
        Checksum,  // the bytes are not the ones written
        Truncated, // the data ends before what it declares
        CardCount, // the identity list does not have one entry per card
        Identity,  // an identity repeated, zero, or beyond the counter
        Count,     // a number of answers beyond any learner's, or not the one the data holds
        Time,      // an answer dated before 1990 or after tomorrow
        Entry,     // an answer naming no card, or a mode or box no quiz gives
    };

    State state() const { return m_state; }
    Damage damage() const { return m_damage; }
    bool canRecord() const { return m_state == State::Recording; }
    // In the order they were given.
    const QList<LearningAnswer> &answers() const { return m_answers; }
    bool isEmpty() const { return m_answers.isEmpty(); }
    // Answers, or data kept in their place: what a save writes.
    bool holdsData() const { return !canRecord() || !isEmpty(); }
    // The file's extra data as it was read, when the history is not ours
    // to read (any state but Recording); a save writes it back unchanged.
    const QByteArray &keptData() const { return m_kept; }

private:
    friend class CardSet;
    friend class LearningHistoryFormat;
    State m_state = State::Recording;
    Damage m_damage = Damage::None;
    QList<LearningAnswer> m_answers;
    QByteArray m_kept;
};
