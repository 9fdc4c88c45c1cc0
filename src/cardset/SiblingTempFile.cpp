#include "cardset/SiblingTempFile.h"

#include "cardset/FileError.h"
#include "cardset/RunningProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

// Opens (or with `create`, makes) the file and takes its exclusive lock
// without waiting; -1 when either fails. Elsewhere than on Unix nothing is
// locked, and no leftover is ever taken for abandoned.
int openLocked(const QString &path, bool create)
{
#ifdef Q_OS_UNIX
    const int flags = O_RDWR | O_CLOEXEC | (create ? O_CREAT | O_EXCL : 0);
    const int fd = ::open(QFile::encodeName(path).constData(), flags, 0666);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
#else
    if (!create)
        return -1;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ? 0 : -1;
#endif
}

void closeLock(int fd)
{
#ifdef Q_OS_UNIX
    if (fd >= 0)
        ::close(fd);
#else
    Q_UNUSED(fd);
#endif
}

void syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

} // namespace

SiblingTempFile::SiblingTempFile(const QString &target)
    : m_target(target)
{
    const QString stem = target + QStringLiteral(".quillo-%1-").arg(RunningProcess::currentId());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = stem + QStringLiteral("%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        m_lock = openLocked(candidate, true);
        if (m_lock >= 0) {
            m_path = candidate;
            return;
        }
        const int error = errno;
        if (error != EEXIST)
            throw FileError(QStringLiteral("Die Datei %1 kann nicht angelegt werden: %2").arg(candidate, FileError::systemReason(error)),
                            error);
    }
    throw FileError(QStringLiteral("Neben %1 kann keine Zwischendatei angelegt werden.").arg(target));
}

SiblingTempFile::~SiblingTempFile()
{
    // Removed while still locked: no cleanup elsewhere sees it abandoned.
    if (!m_replaced)
        QFile::remove(m_path);
    closeLock(m_lock);
}

int SiblingTempFile::handle() const
{
#ifdef Q_OS_UNIX
    return m_lock;
#else
    return -1;
#endif
}

void SiblingTempFile::replaceTarget(bool durable)
{
    if (QFileInfo::exists(m_target))
        QFile::setPermissions(m_path, QFile::permissions(m_target));
    if (std::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(m_target).constData()) != 0) {
        const int error = errno;
        throw FileError(QStringLiteral("Die Datei %1 kann nicht ersetzt werden: %2").arg(m_target, FileError::systemReason(error)), error);
    }
    m_replaced = true;
    if (durable)
        syncFolder(QFileInfo(m_target).absolutePath());
}

QString SiblingTempFile::resolveTarget(const QString &path)
{
    QString current = path;
    // As many links as the system itself follows; a link still after those
    // is a loop, which a save must not replace by a plain file.
    for (int hop = 0; hop <= 40; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        current = info.symLinkTarget();
    }
    throw FileError(FileError::systemReason(ELOOP), ELOOP);
}

bool SiblingTempFile::isTempFileOf(const QString &fileName, const QString &targetFileName, qint64 *writer)
{
    static const QRegularExpression tail(QStringLiteral("^\\.quillo-(\\d{1,10})-[0-9a-f]{8}\\.tmp$"));
    if (!fileName.startsWith(targetFileName))
        return false;
    const QRegularExpressionMatch match = tail.match(QStringView(fileName).mid(targetFileName.size()));
    if (!match.hasMatch())
        return false;
    if (writer)
        *writer = match.capturedView(1).toLongLong();
    return true;
}

int SiblingTempFile::removeLeftovers(const QString &target)
{
    const QFileInfo info(target);
    const QString targetName = info.fileName();
    const QDir folder = info.absoluteDir();
    int removed = 0;
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        qint64 writer = 0;
        if (!isTempFileOf(name, targetName, &writer))
            continue;
        // A writer that runs keeps its file, also before it has locked it;
        // the lock guards writers on other machines sharing the folder.
        if (writer != RunningProcess::currentId() && RunningProcess::exists(writer))
            continue;
        const QString path = folder.filePath(name);
        const int lock = openLocked(path, false);
        if (lock < 0)
            continue;
        if (QFile::remove(path))
            ++removed;
        closeLock(lock);
    }
    return removed;
}
