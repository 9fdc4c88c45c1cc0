#pragma once

#include "cardset/LearningHistory.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The history as the set file keeps it, in the one extra chunk after the
// faces that older versions of the file skip: "QLHIST", a version byte, the
// counter for new identities, the identity of every card in card order, the
// answers, and a CRC-32 of everything before it. Numbers are LEB128
// varints; an answer is its card's position in the identity list, its time
// as the difference to the answer before (zigzag coded, so that a clock set
// back does no harm) and one byte for mode, verdict and both boxes.
class LearningHistoryFormat
{
public:
    static constexpr quint8 Version = 1;
    // More answers than a learner gives in decades of daily quizzes.
    static constexpr qsizetype MaxAnswers = 1 << 24;
    // 1990-01-01 00:00 UTC: no answer can be older.
    static constexpr qint64 EarliestTime = 631152000;
    // How far an answer may lie ahead of the reading machine's clock.
    static constexpr qint64 ClockTolerance = 24 * 60 * 60;

    struct Decoded
    {
        LearningHistory history;
        // With a Recording history, one per card and the counter beyond them.
        QList<quint32> ids;
        quint32 nextId = 1;
    };

    // Answers whose card is not among `ids` are left out.
    static QByteArray encode(const QList<quint32> &ids, quint32 nextId, const QList<LearningAnswer> &answers);
    // The chunk read for a file of `cards` cards at `now` (seconds since
    // 1970 UTC). Only a Recording result carries identities and answers;
    // any other keeps the chunk's bytes.
    static Decoded decode(QByteArrayView chunk, qsizetype cards, qint64 now);

    static QByteArrayView signature() { return QByteArrayView("QLHIST"); }
    // The CRC-32 of zip and PNG.
    static quint32 crc32(QByteArrayView data);
};
