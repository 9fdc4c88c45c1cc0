#include "print/PdfFileCheck.h"

#include <QFile>

#include <algorithm>

bool PdfFileCheck::isComplete(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.read(5).startsWith("%PDF-"))
        return false;
    const qint64 size = file.size();
    constexpr qint64 kTail = 1024;
    if (!file.seek(std::max<qint64>(0, size - kTail)))
        return false;
    const QByteArray tail = file.read(kTail).trimmed();
    // "startxref", the table's offset, "%%EOF"
    const qsizetype keyword = tail.lastIndexOf("startxref");
    if (keyword < 0 || !tail.endsWith("%%EOF"))
        return false;
    const QByteArray number = tail.mid(keyword + 9, tail.size() - 5 - keyword - 9).trimmed();
    bool isNumber = false;
    const qint64 offset = number.toLongLong(&isNumber);
    if (!isNumber || offset <= 0 || offset >= size || !file.seek(offset))
        return false;
    return file.read(4) == "xref";
}
