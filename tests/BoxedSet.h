#pragma once

#include "cardset/ArchiveWriter.h"
#include "cardset/CardSetFile.h"

#include <QFile>
#include <QTemporaryDir>

// Card set files put together by hand, and sets read from them.

// A container of the native format: settings text, box list, fronts, backs.
inline void writeSetFile(const QString &file, const QByteArray &settings, const QByteArray &boxes, const QList<QByteArray> &faces)
{
    QFile::remove(file);
    ArchiveWriter writer(file);
    writer.appendData(QStringLiteral("s"), settings);
    writer.appendData(QStringLiteral("b"), boxes);
    for (const QByteArray &face : faces)
        writer.appendData(QStringLiteral("f"), face);
    writer.finish();
}

// A face container of the 2.5 format, each chunk named by the old
// program's scratch file.
inline void writeLegacyFaces(const QString &file, const QList<QByteArray> &faces)
{
    QFile::remove(file);
    ArchiveWriter writer(file);
    for (const QByteArray &face : faces)
        writer.appendData(QStringLiteral("C:\\WINDOWS\\TEMP\\~qla1.tmp"), face);
    writer.finish();
}

// Fills `set` with empty cards in these boxes, read from a file as a
// learner's set is, so that damaged box numbers can occur too.
inline void fillBoxes(CardSet &set, const QList<qint32> &boxes)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("boxes.ql3"));
    QByteArray list;
    for (qint32 box : boxes)
        list += QByteArray::number(box) + "\r\n";
    writeSetFile(file, QByteArray(), list, QList<QByteArray>(2 * boxes.size()));
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
