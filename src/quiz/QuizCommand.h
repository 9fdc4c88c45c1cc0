#pragma once

#include "quiz/DueCards.h"

#include <QSize>

class CardSet;
class QWidget;
class RandomGenerator;

// The whole quiz command on one card set: the box dialog, then the quiz
// window, both modal over parent. The caller stores the card being edited
// into the set first, so that its latest text is asked.
class QuizCommand
{
public:
    // faceSize is the size of the document's front face editor. Returns true
    // when a quiz ran, however it ended; the set is then modified.
    // False when the box dialog was cancelled: nothing in the set changed.
    // Cards are due by `intervals`.
    static bool run(CardSet &set, QWidget *parent, QSize faceSize, RandomGenerator &random,
                    const DueCards::Intervals &intervals = DueCards::DefaultIntervals);
};
