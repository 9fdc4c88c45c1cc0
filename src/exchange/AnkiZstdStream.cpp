#include "exchange/AnkiZstdStream.h"

#include "exchange/AnkiUnpackBudget.h"

#include <zstd.h>

AnkiZstdStream::AnkiZstdStream(AnkiUnpackBudget &budget, const QString &member, AnkiByteSink sink)
    : m_budget(budget)
    , m_member(member)
    , m_sink(std::move(sink))
    , m_context(ZSTD_createDCtx())
    , m_out(qsizetype(ZSTD_DStreamOutSize()), Qt::Uninitialized)
{
}

AnkiZstdStream::~AnkiZstdStream()
{
    ZSTD_freeDCtx(m_context);
}

AnkiProblem AnkiZstdStream::damaged(const QString &reason) const
{
    return {AnkiProblem::Kind::Unreadable, m_member + QStringLiteral(": ") + reason, 0};
}

AnkiProblem AnkiZstdStream::feed(QByteArrayView compressed)
{
    if (!m_context)
        return damaged(QStringLiteral("zstd: out of memory"));
    ZSTD_inBuffer in{compressed.data(), size_t(compressed.size()), 0};
    // Also when all input is taken: the decoder may still hold output.
    bool outputFull = true;
    while (in.pos < in.size || outputFull) {
        ZSTD_outBuffer out{m_out.data(), size_t(m_out.size()), 0};
        const size_t result = ZSTD_decompressStream(m_context, &out, &in);
        if (ZSTD_isError(result))
            return damaged(QString::fromLatin1(ZSTD_getErrorName(result)));
        m_pending = result;
        outputFull = out.pos == out.size;
        if (out.pos == 0)
            continue;
        if (!m_budget.take(qint64(out.pos)))
            return {AnkiProblem::Kind::TooLarge, m_member, 0};
        if (AnkiProblem problem = m_sink(QByteArrayView(m_out.constData(), qsizetype(out.pos))); problem.kind != AnkiProblem::Kind::None)
            return problem;
    }
    return {};
}

AnkiProblem AnkiZstdStream::finish()
{
    if (m_pending != 0)
        return damaged(QStringLiteral("zstd: frame cut short"));
    return {};
}

AnkiProblem AnkiZstdStream::decompress(QByteArrayView compressed, AnkiUnpackBudget &budget, const QString &member, QByteArray &out)
{
    out.clear();
    AnkiZstdStream stream(budget, member, [&out, &member](QByteArrayView bytes) {
        if (bytes.size() > AnkiUnpackBudget::inMemoryLimit - out.size())
            return AnkiProblem{AnkiProblem::Kind::TooLarge, member, 0};
        out.append(bytes);
        return AnkiProblem{};
    });
    AnkiProblem problem = stream.feed(compressed);
    return problem.kind != AnkiProblem::Kind::None ? problem : stream.finish();
}
