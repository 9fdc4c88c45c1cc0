#pragma once

#include "print/EdgeRect.h"

#include <QTest>

// Test output of the sheet's rectangles by their four edges.
inline char *toString(const EdgeRect &r)
{
    return QTest::toString(QStringLiteral("(%1, %2, %3, %4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom));
}
