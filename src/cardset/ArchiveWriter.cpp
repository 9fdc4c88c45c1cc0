#include "cardset/ArchiveWriter.h"

#include "cardset/CardArchive.h"
#include "cardset/CheckedFileWriter.h"
#include "cardset/FileError.h"
#include "cardset/FileOps.h"

#include <QtEndian>

#include <limits>

namespace {
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

ArchiveWriter::ArchiveWriter(CheckedFileWriter &output)
    : m_output(&output)
{
}

ArchiveWriter::~ArchiveWriter()
{
    // Only finish() writes what is still buffered: a writer given up on
    // after a failure adds nothing more.
    if (m_file.isOpen())
        m_file.close();
}

void ArchiveWriter::write(const char *data, qint64 size)
{
    // The output buffers and checks on its own.
    if (m_output) {
        if (!m_output->write(QByteArrayView(data, size)))
            throw FileError(m_output->result().reason, m_output->result().systemError);
        return;
    }
    if (m_buffer.size() + size > kBufferSize)
        flushBuffer();
    if (size >= kBufferSize)
        writeAll(m_file, data, size);
    else
        m_buffer.append(data, size);
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
    if (m_output) {
        if (!m_output->finish().ok())
            throw FileError(m_output->result().reason, m_output->result().systemError);
        return;
    }
    flushBuffer();
    if (!m_file.flush() || !FileOps::syncToDisk(m_file.handle()))
        throw FileError(QStringLiteral("Schreibfehler in %1: %2").arg(m_file.fileName(), m_file.errorString()));
    m_file.close();
    if (m_file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("Schreibfehler in %1: %2").arg(m_file.fileName(), m_file.errorString()));
}
