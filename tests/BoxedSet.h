#pragma once

#include "cardset/ArchiveWriter.h"
#include "cardset/CardSetFile.h"

#include <QTemporaryDir>

// Fills `set` with empty cards in these boxes, read from a file as a
// learner's set is, so that damaged box numbers can occur too.
inline void fillBoxes(CardSet &set, const QList<qint32> &boxes)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("boxes.ql3"));
    ArchiveWriter writer(file);
    writer.appendData(QStringLiteral("s"), QByteArray());
    QByteArray list;
    for (qint32 box : boxes)
        list += QByteArray::number(box) + "\r\n";
    writer.appendData(QStringLiteral("b"), list);
    for (qsizetype i = 0; i < 2 * boxes.size(); ++i)
        writer.appendData(QStringLiteral("f"), QByteArray());
    writer.finish();
    CardSetFileContext context{dir.filePath(QStringLiteral("scratch")), PageOrientation::Portrait};
    CardSetFile::LoadCardSet(set, file, context);
}

inline QList<qint32> boxesOf(const CardSet &set)
{
    QList<qint32> boxes;
    for (int i = 0; i < set.count(); ++i)
        boxes.append(set.box(i));
    return boxes;
}
