#pragma once

#include <QtGlobal>

// How many bytes a package may unpack to in all: zip members and the zstd
// frames inside them count alike. Keeps a small package from filling the
// disk or the memory (a zip or zstd bomb).
class AnkiUnpackBudget
{
public:
    explicit AnkiUnpackBudget(qint64 limit)
        : m_left(limit)
    {
    }

    // The limit for a package of this many bytes: generous for real
    // packages, which compress media hardly at all, never beyond 2 GB.
    static qint64 limitFor(qint64 packageSize);

    // The most a member read whole into memory may unpack to (meta, the
    // media list); the collection and the media go to files.
    static constexpr qsizetype inMemoryLimit = 64 << 20;

    qint64 left() const { return m_left; }
    // False, with nothing taken, when `bytes` exceed what is left.
    bool take(qint64 bytes);

private:
    qint64 m_left;
};
