#pragma once

#include "print/EdgeRect.h"

#include <QFile>
#include <QTest>

// Test output of the sheet's rectangles by their four edges.
inline char *toString(const EdgeRect &r)
{
    return QTest::toString(QStringLiteral("(%1, %2, %3, %4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom));
}

// Pages of a PDF file as Qt writes it: the "/Type /Page" objects, not the
// "/Type /Pages" tree. -1 when the file cannot be read.
inline int pdfPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        pages += pdf.mid(at + 11, 1) != "s";
    return pages;
}
