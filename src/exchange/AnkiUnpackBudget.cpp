#include "exchange/AnkiUnpackBudget.h"

#include <algorithm>

qint64 AnkiUnpackBudget::limitFor(qint64 packageSize)
{
    constexpr qint64 ceiling = qint64(2) << 30;
    constexpr qint64 headroom = qint64(64) << 20;
    // Compared before multiplying, so that no size can overflow.
    if (packageSize >= (ceiling - headroom) / 100)
        return ceiling;
    return std::min(ceiling, std::max<qint64>(packageSize, 0) * 100 + headroom);
}

bool AnkiUnpackBudget::take(qint64 bytes)
{
    if (bytes < 0 || bytes > m_left)
        return false;
    m_left -= bytes;
    return true;
}
