#include "cardset/CardArchive.h"

#include "cardset/ArchiveWriter.h"
#include "cardset/FileError.h"
#include "cardset/FileOps.h"
#include "cardset/Windows1252.h"

#include <QFileInfo>
#include <QtEndian>

namespace {

[[noreturn]] void throwDamaged(const QFile &file, qint64 position)
{
    throw FileError(
        QStringLiteral("Die Datei %1 ist beschädigt: unvollständiger Abschnitt bei Byte %2.").arg(file.fileName()).arg(position));
}

void readExactly(QFile &file, char *data, qint64 size, qint64 position)
{
    if (size > 0 && file.read(data, size) != size)
        throwDamaged(file, position);
}

// Reads the chunk header at `position` and records it. Returns the position
// after the chunk's declared data.
qint64 readHeader(ArchiveReader &reader, QFile &file, qint64 fileSize, qint64 position, QByteArray &lastName)
{
    if (!file.seek(position))
        throwDamaged(file, position);
    unsigned char length = 0;
    readExactly(file, reinterpret_cast<char *>(&length), 1, position);
    if (position + 1 + length + 4 > fileSize)
        throwDamaged(file, position);
    char name[255];
    readExactly(file, name, length, position);
    char sizeBytes[4];
    readExactly(file, sizeBytes, 4, position);
    const qint32 size = qFromLittleEndian<qint32>(sizeBytes);
    // A negative size would move the next header backwards, without end.
    if (size < 0)
        throwDamaged(file, position);
    const qint64 dataOffset = position + 1 + length + 4;
    // Every chunk of a card set carries the same scratch file name: sharing
    // one string saves a copy per face on a large set.
    const QByteArrayView nameBytes(name, length);
    if (!reader.NameList.isEmpty() && lastName == nameBytes) {
        reader.NameList.append(reader.NameList.constLast());
    } else {
        reader.NameList.append(Windows1252::decode(nameBytes));
        lastName = nameBytes.toByteArray();
    }
    reader.OffsetList.append(dataOffset);
    return dataOffset + size;
}

} // namespace

QByteArray CardArchive::chunkNameBytes(const QString &name)
{
    const QByteArray bytes = Windows1252::encode(name);
    return bytes.left(bytes.size() % 256);
}

void CardArchive::AppendChunk(const QString &containerPath, const QString &sourcePath)
{
    ArchiveWriter writer(containerPath);
    writer.appendFile(sourcePath);
    writer.finish();
}

ArchiveReader CardArchive::OpenArchive(const QString &path)
{
    ArchiveReader reader;
    if (!QFileInfo::exists(path))
        return reader;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Die Datei %1 kann nicht geöffnet werden: %2").arg(path, file->errorString()));
    const qint64 fileSize = file->size();
    // The first header is read unconditionally; an empty file fails here.
    QByteArray lastName;
    qint64 next = readHeader(reader, *file, fileSize, 0, lastName);
    // One stray byte after the last chunk is tolerated, two or more are read
    // as a header. The position only ever grows, so this ends.
    while (fileSize > next + 1)
        next = readHeader(reader, *file, fileSize, next, lastName);
    reader.m_fileSize = fileSize;
    reader.m_file = std::move(file);
    return reader;
}

namespace {

// Seeks to the chunk and returns its declared size, checked against what the
// file holds: a damaged size must neither truncate a face silently nor make
// us allocate more than the file.
qint32 chunkSize(ArchiveReader &reader, QFile *file, qint64 fileSize, int chunkNumber)
{
    if (chunkNumber < 0 || chunkNumber >= reader.OffsetList.size() || !file)
        throw FileError(QStringLiteral("Listenindex überschreitet das Maximum (%1)").arg(chunkNumber));
    const qint64 offset = reader.OffsetList.at(chunkNumber);
    char sizeBytes[4];
    if (!file->seek(offset - 4) || file->read(sizeBytes, 4) != 4)
        throwDamaged(*file, offset - 4);
    const qint32 size = qFromLittleEndian<qint32>(sizeBytes);
    if (size > 0 && offset + size > fileSize)
        throw FileError(QStringLiteral("Die Datei %1 ist beschädigt: Abschnitt %2 reicht über das Dateiende hinaus.")
                            .arg(file->fileName())
                            .arg(chunkNumber));
    return size;
}

} // namespace

void CardArchive::ExtractChunk(ArchiveReader &reader, const QString &destinationPath, int chunkNumber)
{
    FileOps::removeQuietly(destinationPath);
    const qint32 size = chunkSize(reader, reader.m_file.get(), reader.m_fileSize, chunkNumber);
    FileOps::makeWritable(destinationPath);
    QFile destination(destinationPath);
    if (!destination.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw FileError(QStringLiteral("Die Datei %1 kann nicht angelegt werden: %2").arg(destinationPath, destination.errorString()));
    QFile &source = *reader.m_file;
    QByteArray buffer(BlockSize, Qt::Uninitialized);
    qint64 remaining = size;
    while (remaining > 0) {
        const qint64 step = std::min(remaining, BlockSize);
        const qint64 got = source.read(buffer.data(), step);
        if (got != step)
            throwDamaged(source, source.pos());
        if (destination.write(buffer.constData(), got) != got)
            throw FileError(QStringLiteral("Schreibfehler in %1: %2").arg(destinationPath, destination.errorString()));
        remaining -= got;
    }
    destination.close();
    if (destination.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("Schreibfehler in %1: %2").arg(destinationPath, destination.errorString()));
}

QByteArray CardArchive::ExtractChunkData(ArchiveReader &reader, int chunkNumber)
{
    const qint32 size = chunkSize(reader, reader.m_file.get(), reader.m_fileSize, chunkNumber);
    if (size <= 0)
        return QByteArray();
    QByteArray data(size, Qt::Uninitialized);
    if (reader.m_file->read(data.data(), size) != size)
        throwDamaged(*reader.m_file, reader.OffsetList.at(chunkNumber));
    return data;
}

void CardArchive::CloseArchive(ArchiveReader &reader)
{
    reader.NameList.clear();
    reader.OffsetList.clear();
    reader.m_file.reset();
    reader.m_fileSize = 0;
}
