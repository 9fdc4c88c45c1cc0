#include "cardset/CardArchive.h"

#include "cardset/ArchiveWriter.h"
#include "cardset/FileError.h"
#include "cardset/FileOps.h"
#include "cardset/Windows1252.h"

#include <QFileInfo>
#include <QtEndian>

#include <cstring>

namespace {

[[noreturn]] void throwDamaged(const QFile &file, qint64 position)
{
    throw FileError(
        QStringLiteral("Die Datei %1 ist beschädigt: unvollständiger Abschnitt bei Byte %2.").arg(file.fileName()).arg(position));
}

[[noreturn]] void throwCut(const QFile &file, qsizetype chunkNumber)
{
    throw FileError(QStringLiteral("Die Datei %1 ist beschädigt: Abschnitt %2 reicht über das Dateiende hinaus.")
                        .arg(file.fileName())
                        .arg(chunkNumber));
}

// Walks a container from its start in large reads: one pass over the file,
// with no seek per chunk, is what keeps a load close to a plain copy.
class ChunkScanner
{
public:
    ChunkScanner(QFile &file, qint64 fileSize)
        : m_file(file)
        , m_fileSize(fileSize)
        , m_buffer(kWindow, Qt::Uninitialized)
    {
    }

    // The bytes [position, position + size) in the window; size is at most
    // a header's. False when the file ends before.
    const char *at(qint64 position, qint64 size)
    {
        if (position + size > m_fileSize)
            return nullptr;
        if (position < m_start || position + size > m_start + m_length) {
            if (!m_file.seek(position))
                throwDamaged(m_file, position);
            m_start = position;
            m_length = std::max<qint64>(0, m_file.read(m_buffer.data(), std::min(kWindow, m_fileSize - position)));
            if (m_length < size)
                throwDamaged(m_file, position);
        }
        return m_buffer.constData() + (position - m_start);
    }

    // The whole data of a chunk that lies inside the file.
    QByteArray data(qint64 position, qint32 size)
    {
        if (size == 0)
            return QByteArray();
        QByteArray out(size, Qt::Uninitialized);
        qint64 copied = 0;
        if (position >= m_start && position < m_start + m_length) {
            copied = std::min<qint64>(size, m_start + m_length - position);
            std::memcpy(out.data(), m_buffer.constData() + (position - m_start), size_t(copied));
        }
        if (copied < size) {
            // The rest straight into place: big faces pass through no window.
            const qint64 rest = size - copied;
            if (!m_file.seek(position + copied) || m_file.read(out.data() + copied, rest) != rest)
                throwDamaged(m_file, position);
            m_start = position + size;
            m_length = 0;
        }
        return out;
    }

private:
    static constexpr qint64 kWindow = 256 * 1024;
    QFile &m_file;
    qint64 m_fileSize;
    QByteArray m_buffer;
    qint64 m_start = 0;
    qint64 m_length = 0;
};

// Lists every chunk (and with WithData reads it, or hands the chunks from
// `kept` on to `visit`). One stray byte after the last chunk is tolerated,
// two or more are read as a header. The position only ever grows, so this
// ends.
void scan(ArchiveReader &reader, QFile &file, qint64 fileSize, ArchiveReader::Content content, qsizetype &cutChunk, QList<QByteArray> &data,
          qsizetype kept, const std::function<void(const QByteArray &)> &visit)
{
    ChunkScanner scanner(file, fileSize);
    QByteArray lastName;
    qint64 position = 0;
    do {
        const char *lengthByte = scanner.at(position, 1);
        if (!lengthByte)
            throwDamaged(file, position);
        const int length = static_cast<unsigned char>(*lengthByte);
        const char *header = scanner.at(position, 1 + length + 4);
        if (!header)
            throwDamaged(file, position);
        const qint32 size = qFromLittleEndian<qint32>(header + 1 + length);
        // A negative size would move the next header backwards, without end.
        if (size < 0)
            throwDamaged(file, position);
        // Every chunk of a card set carries the same scratch file name:
        // sharing one string saves a copy per face on a large set.
        const QByteArrayView nameBytes(header + 1, length);
        if (!reader.NameList.isEmpty() && lastName == nameBytes) {
            reader.NameList.append(reader.NameList.constLast());
        } else {
            reader.NameList.append(Windows1252::decode(nameBytes));
            lastName = nameBytes.toByteArray();
        }
        const qint64 dataOffset = position + 1 + length + 4;
        reader.OffsetList.append(dataOffset);
        reader.SizeList.append(size);
        position = dataOffset + size;
        if (position > fileSize) {
            cutChunk = reader.OffsetList.size() - 1;
            break;
        }
        if (visit && reader.OffsetList.size() > kept)
            visit(scanner.data(dataOffset, size));
        else if (content == ArchiveReader::Content::WithData)
            data.append(scanner.data(dataOffset, size));
    } while (fileSize > position + 1);
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

ArchiveReader CardArchive::OpenArchive(const QString &path, ArchiveReader::Content content)
{
    return openArchive(path, content, -1, {});
}

ArchiveReader CardArchive::OpenArchive(const QString &path, qsizetype kept, const std::function<void(const QByteArray &)> &visit)
{
    return openArchive(path, ArchiveReader::Content::WithData, kept, visit);
}

ArchiveReader CardArchive::openArchive(const QString &path, ArchiveReader::Content content, qsizetype kept,
                                       const std::function<void(const QByteArray &)> &visit)
{
    ArchiveReader reader;
    if (!QFileInfo::exists(path))
        return reader;
    auto file = std::make_unique<QFile>(path);
    // Unbuffered: the scanner and the extraction read in blocks of their own.
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw FileError(QStringLiteral("Die Datei %1 kann nicht geöffnet werden: %2").arg(path, file->errorString()));
    const qint64 fileSize = file->size();
    // The first header is read unconditionally; an empty file fails here.
    scan(reader, *file, fileSize, content, reader.m_cutChunk, reader.m_data, kept, visit);
    reader.m_fileSize = fileSize;
    reader.m_file = std::move(file);
    return reader;
}

namespace {

void checkChunk(const ArchiveReader &reader, const QFile *file, int chunkNumber)
{
    if (chunkNumber < 0 || chunkNumber >= reader.chunkCount() || !file)
        throw FileError(QStringLiteral("Listenindex überschreitet das Maximum (%1)").arg(chunkNumber));
    if (chunkNumber == reader.cutChunk())
        throwCut(*file, chunkNumber);
}

} // namespace

void CardArchive::ExtractChunk(ArchiveReader &reader, const QString &destinationPath, int chunkNumber)
{
    FileOps::removeQuietly(destinationPath);
    checkChunk(reader, reader.m_file.get(), chunkNumber);
    FileOps::makeWritable(destinationPath);
    QFile destination(destinationPath);
    if (!destination.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw FileError(QStringLiteral("Die Datei %1 kann nicht angelegt werden: %2").arg(destinationPath, destination.errorString()));
    QFile &source = *reader.m_file;
    if (!source.seek(reader.OffsetList.at(chunkNumber)))
        throwDamaged(source, reader.OffsetList.at(chunkNumber));
    QByteArray buffer(BlockSize, Qt::Uninitialized);
    qint64 remaining = reader.SizeList.at(chunkNumber);
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
    checkChunk(reader, reader.m_file.get(), chunkNumber);
    if (chunkNumber < reader.m_data.size())
        return reader.m_data.at(chunkNumber);
    const qint32 size = reader.SizeList.at(chunkNumber);
    if (size <= 0)
        return QByteArray();
    QFile &file = *reader.m_file;
    QByteArray data(size, Qt::Uninitialized);
    if (!file.seek(reader.OffsetList.at(chunkNumber)) || file.read(data.data(), size) != size)
        throwDamaged(file, reader.OffsetList.at(chunkNumber));
    return data;
}

void CardArchive::CloseArchive(ArchiveReader &reader)
{
    reader.NameList.clear();
    reader.OffsetList.clear();
    reader.SizeList.clear();
    reader.m_data.clear();
    reader.m_file.reset();
    reader.m_fileSize = 0;
    reader.m_cutChunk = -1;
}
