#include "cardset/ArchiveWriter.h"

#include "cardset/CardArchive.h"
#include "cardset/FileError.h"
#include "cardset/FileOps.h"

#include <QtEndian>

#include <atomic>
#include <limits>

namespace {
std::atomic<qint64> g_failAfterBytes{-1};
constexpr qsizetype kBufferSize = 1024 * 1024;

// A write cut short (a full disk) reports no reason; the next attempt at the
// rest does.
void writeAll(QFile &file, const char *data, qint64 size)
{
    while (size > 0) {
        const qint64 written = file.write(data, size);
        if (written <= 0)
            throw FileError(QStringLiteral("Schreibfehler in %1: %2").arg(file.fileName(), file.errorString()));
        data += written;
        size -= written;
    }
}
} // namespace

ArchiveWriter::ArchiveWriter(const QString &containerPath)
    : m_file(containerPath)
{
    FileOps::makeWritable(containerPath);
    m_buffer.reserve(kBufferSize);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw FileError(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(containerPath, m_file.errorString()));
}

ArchiveWriter::~ArchiveWriter()
{
    // Only finish() writes what is still buffered: a writer given up on
    // after a failure adds nothing more.
    if (m_file.isOpen())
        m_file.close();
}

void ArchiveWriter::setFailAfterBytesForTesting(qint64 bytes)
{
    g_failAfterBytes = bytes;
}

void ArchiveWriter::write(const char *data, qint64 size)
{
    qint64 allowed = size;
    const qint64 budget = g_failAfterBytes.load();
    if (budget >= 0) {
        allowed = std::min(size, budget);
        g_failAfterBytes = budget - allowed;
    }
    if (m_buffer.size() + allowed > kBufferSize)
        flushBuffer();
    if (allowed >= kBufferSize) {
        writeAll(m_file, data, allowed);
    } else {
        m_buffer.append(data, allowed);
    }
    if (allowed < size) {
        flushBuffer();
        throw FileError(QStringLiteral("Schreibfehler in %1: simulierter Fehler").arg(m_file.fileName()));
    }
}

void ArchiveWriter::flushBuffer()
{
    if (m_buffer.isEmpty())
        return;
    writeAll(m_file, m_buffer.constData(), m_buffer.size());
    m_buffer.resize(0);
}

void ArchiveWriter::writeHeader(const QString &name, qint64 dataSize)
{
    if (dataSize > std::numeric_limits<qint32>::max())
        throw FileError(QStringLiteral("Die Datei ist zu groß für einen Kartensatz (%1 Bytes).").arg(dataSize));
    if (m_lastNameBytes.isNull() || name != m_lastName) {
        m_lastName = name;
        m_lastNameBytes = CardArchive::chunkNameBytes(name);
    }
    const QByteArray &nameBytes = m_lastNameBytes;
    const char length = char(nameBytes.size());
    write(&length, 1);
    write(nameBytes.constData(), nameBytes.size());
    char size[4];
    qToLittleEndian<qint32>(qint32(dataSize), size);
    write(size, 4);
}

void ArchiveWriter::appendFile(const QString &sourcePath)
{
    FileOps::makeWritable(sourcePath);
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(sourcePath, source.errorString()));
    writeHeader(sourcePath, source.size());
    QByteArray buffer(CardArchive::BlockSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(buffer.data(), buffer.size());
        if (got < 0)
            throw FileError(QStringLiteral("Lesefehler in %1: %2").arg(sourcePath, source.errorString()));
        if (got == 0)
            break;
        write(buffer.constData(), got);
    }
}

void ArchiveWriter::appendData(const QString &name, QByteArrayView data)
{
    writeHeader(name, data.size());
    write(data.data(), data.size());
}

void ArchiveWriter::finish()
{
    flushBuffer();
    if (!m_file.flush() || !FileOps::syncToDisk(m_file.handle()))
        throw FileError(QStringLiteral("Schreibfehler in %1: %2").arg(m_file.fileName(), m_file.errorString()));
    m_file.close();
    if (m_file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("Schreibfehler in %1: %2").arg(m_file.fileName(), m_file.errorString()));
}
