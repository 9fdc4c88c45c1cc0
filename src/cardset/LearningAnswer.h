#pragma once

#include <QtGlobal>

// One answer given in a quiz: which card (by its identity in the set),
// when, in which mode, the verdict and the box move it caused.
struct LearningAnswer
{
    // The quiz modes: "Abfragen" and "Pauken".
    enum class Mode : quint8 { Review = 1, Cramming = 2 };

    quint32 card = 0;
    // Seconds since 1970-01-01 00:00 UTC.
    qint64 time = 0;
    Mode mode = Mode::Review;
    bool known = false;
    quint8 boxBefore = 1;
    quint8 boxAfter = 1;

    bool operator==(const LearningAnswer &) const = default;
};
