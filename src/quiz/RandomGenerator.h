#pragma once

#include <QtGlobal>

// The program-wide source of the quiz's random draws: a 32-bit linear
// congruential generator. Its sequence is fixed by the seed alone, so a
// seeded run can be replayed in tests.
class RandomGenerator
{
public:
    explicit RandomGenerator(quint32 seed = 0)
        : m_seed(seed)
    {
    }

    void setSeed(quint32 seed) { m_seed = seed; }
    quint32 seed() const { return m_seed; }

    // A whole number from 0 to n - 1: the seed advances one step, and the
    // result is the upper half of seed * n. n below 1 gives 0.
    qint32 draw(qint32 n);

private:
    quint32 m_seed;
};
