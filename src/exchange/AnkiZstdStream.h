#pragma once

#include "exchange/AnkiByteSink.h"
#include "exchange/AnkiProblem.h"

#include <QByteArray>
#include <QString>

class AnkiUnpackBudget;
struct ZSTD_DCtx_s;

// Decompresses zstd frames as they come, into a sink. Frames need not
// record their content size; every byte out is taken from the budget, so a
// frame that claims little and unpacks to much stops at the limit.
class AnkiZstdStream
{
public:
    // `member` names the package member in problems.
    AnkiZstdStream(AnkiUnpackBudget &budget, const QString &member, AnkiByteSink sink);
    ~AnkiZstdStream();
    AnkiZstdStream(const AnkiZstdStream &) = delete;
    AnkiZstdStream &operator=(const AnkiZstdStream &) = delete;

    AnkiProblem feed(QByteArrayView compressed);
    // After the last piece: a frame left incomplete is a damaged member.
    AnkiProblem finish();

    // `compressed` whole, for the small members (the media list), as far as
    // AnkiUnpackBudget::inMemoryLimit.
    static AnkiProblem decompress(QByteArrayView compressed, AnkiUnpackBudget &budget, const QString &member, QByteArray &out);

private:
    AnkiProblem damaged(const QString &reason) const;

    AnkiUnpackBudget &m_budget;
    QString m_member;
    AnkiByteSink m_sink;
    ZSTD_DCtx_s *m_context = nullptr;
    QByteArray m_out;
    // The decoder's last answer: 0 once a frame is complete.
    size_t m_pending = 0;
};
