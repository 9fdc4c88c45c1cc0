#include "quiz/RandomGenerator.h"

qint32 RandomGenerator::draw(qint32 n)
{
    m_seed = m_seed * 134775813u + 1u;
    if (n < 1)
        return 0;
    return qint32((quint64(m_seed) * quint64(n)) >> 32);
}
