#include "cardset/CheckedFileWriter.h"

#include "cardset/FileError.h"
#include "cardset/SiblingTempFile.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <atomic>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::atomic<qint64> g_failAfterBytes{-1};
constexpr qsizetype kBufferSize = 256 * 1024;

// Writes all of it; the system's error number, 0 when all went.
int writeAll(int handle, const char *data, qint64 size)
{
#ifdef Q_OS_UNIX
    while (size > 0) {
        const ssize_t written = ::write(handle, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        // A write cut short (a full disk) says why only on the next try.
        if (written <= 0)
            return written < 0 ? errno : EIO;
        data += written;
        size -= written;
    }
    return 0;
#else
    Q_UNUSED(handle);
    Q_UNUSED(data);
    return size > 0 ? EIO : 0;
#endif
}

int syncFile(int handle)
{
#ifdef Q_OS_UNIX
    // EINVAL: a file that cannot be synced at all, as on some special file systems.
    if (::fsync(handle) != 0 && errno != EINVAL)
        return errno;
#else
    Q_UNUSED(handle);
#endif
    return 0;
}

// What QPdfWriter and the like write into.
class WriterDevice : public QIODevice
{
public:
    explicit WriterDevice(CheckedFileWriter &writer)
        : m_writer(writer)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (!m_writer.write(QByteArrayView(data, size))) {
            setErrorString(m_writer.result().reason);
            return -1;
        }
        return size;
    }

private:
    CheckedFileWriter &m_writer;
};

} // namespace

CheckedFileWriter::CheckedFileWriter(const QString &path, Fallback fallback)
{
    try {
        m_target = SiblingTempFile::resolveTarget(path);
        // As a save: a folder or a read-only file is never replaced.
        const QFileInfo old(m_target);
        if (old.isDir())
            throw FileError(m_target, EISDIR);
        if (old.exists() && (!(old.permissions() & QFileDevice::WriteOwner) || !old.isWritable()))
            throw FileError(m_target, EACCES);
        SiblingTempFile::removeLeftovers(m_target);
        m_temporary = std::make_unique<SiblingTempFile>(m_target);
        m_handle = m_temporary->handle();
    } catch (const FileError &error) {
        const int code = error.systemError();
        const QFileInfo existing(m_target);
#ifdef Q_OS_UNIX
        if (fallback == Fallback::InPlace && (code == EACCES || code == EPERM) && existing.isFile() && existing.isWritable()) {
            m_handle = ::open(QFile::encodeName(m_target).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (m_handle >= 0) {
                m_inPlace = true;
                return;
            }
        }
#else
        Q_UNUSED(fallback);
#endif
        m_result = FileResult::failed(QString(), code ? FileError::systemReason(code) : error.message(), code);
        return;
    }
    if (m_handle < 0)
        fail(QStringLiteral("Auf diesem System nicht möglich."));
}

CheckedFileWriter::~CheckedFileWriter()
{
    m_device.reset();
#ifdef Q_OS_UNIX
    if (m_inPlace && m_handle >= 0)
        ::close(m_handle);
#endif
    // m_temporary removes its file unless it replaced the target.
}

void CheckedFileWriter::setFailAfterBytesForTesting(qint64 bytes)
{
    g_failAfterBytes = bytes;
}

bool CheckedFileWriter::failWithSystemError(int error)
{
    if (m_result.ok())
        m_result = FileResult::failed(QString(), FileError::systemReason(error), error);
    return false;
}

void CheckedFileWriter::fail(const QString &reason, int systemError)
{
    if (m_result.ok())
        m_result = FileResult::failed(QString(), reason, systemError);
}

bool CheckedFileWriter::write(QByteArrayView data)
{
    if (!ok() || m_finished)
        return failWithSystemError(EBADF);
    qsizetype allowed = data.size();
    const qint64 budget = g_failAfterBytes.load();
    if (budget >= 0) {
        allowed = qsizetype(std::min<qint64>(allowed, budget));
        g_failAfterBytes = budget - allowed;
    }
    if (m_buffer.size() + allowed > kBufferSize && !flushBuffer())
        return false;
    if (allowed >= kBufferSize) {
        if (const int error = writeAll(m_handle, data.data(), allowed))
            return failWithSystemError(error);
        m_written += allowed;
    } else {
        m_buffer.append(data.data(), allowed);
    }
    if (allowed < data.size())
        return failWithSystemError(ENOSPC);
    return true;
}

bool CheckedFileWriter::flushBuffer()
{
    if (m_buffer.isEmpty())
        return true;
    if (const int error = writeAll(m_handle, m_buffer.constData(), m_buffer.size()))
        return failWithSystemError(error);
    m_written += m_buffer.size();
    m_buffer.resize(0);
    return true;
}

QIODevice *CheckedFileWriter::device()
{
    if (!m_device)
        m_device = std::make_unique<WriterDevice>(*this);
    return m_device.get();
}

QString CheckedFileWriter::filePath() const
{
    return m_inPlace ? m_target : (m_temporary ? m_temporary->path() : QString());
}

QString CheckedFileWriter::pathForOtherWriter()
{
    m_otherWriter = true;
    return filePath();
}

void CheckedFileWriter::failIncomplete()
{
    if (!ok())
        return;
#ifdef Q_OS_UNIX
    // What the other writer could not put into the file, a write of ours
    // cannot either, and it tells why.
    if (::lseek(m_handle, 0, SEEK_END) >= 0) {
        const QByteArray probe(64 * 1024, '\0');
        if (const int error = writeAll(m_handle, probe.constData(), probe.size())) {
            failWithSystemError(error);
            return;
        }
    }
#endif
    fail(QStringLiteral("Die Datei wurde nicht vollständig geschrieben."));
}

FileResult CheckedFileWriter::finish()
{
    if (m_finished || !ok())
        return m_result;
    if (!flushBuffer())
        return m_result;
#ifdef Q_OS_UNIX
    struct stat status
    {
    };
    if (::fstat(m_handle, &status) != 0) {
        failWithSystemError(errno);
        return m_result;
    }
    if (!m_otherWriter && status.st_size != m_written) {
        failIncomplete();
        return m_result;
    }
#endif
    if (const int error = m_scratch ? 0 : syncFile(m_handle)) {
        failWithSystemError(error);
        return m_result;
    }
    m_finished = true;
    return m_result;
}

FileResult CheckedFileWriter::commit()
{
    if (!finish().ok() || m_committed || m_inPlace)
        return m_result;
    try {
        m_temporary->replaceTarget(!m_scratch);
        m_committed = true;
    } catch (const FileError &error) {
        fail(error.systemError() ? FileError::systemReason(error.systemError()) : error.message(), error.systemError());
    }
    return m_result;
}

FileResult CheckedFileWriter::writeFile(const QString &path, QByteArrayView bytes, Fallback fallback)
{
    CheckedFileWriter writer(path, fallback);
    writer.write(bytes);
    return writer.commit();
}

FileResult CheckedFileWriter::commitAll(const QList<CheckedFileWriter *> &writers)
{
    for (CheckedFileWriter *writer : writers) {
        if (!writer->finish().ok())
            return writer->result();
    }
    for (CheckedFileWriter *writer : writers) {
        if (!writer->commit().ok())
            return writer->result();
    }
    return FileResult();
}
