#include "cardset/FileOps.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

void FileOps::makeWritable(const QString &path)
{
    QFile file(path);
    const auto perms = file.permissions();
    if (perms != QFileDevice::Permissions() && !(perms & QFileDevice::WriteOwner))
        file.setPermissions(perms | QFileDevice::WriteOwner | QFileDevice::WriteUser);
}

bool FileOps::removeQuietly(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    return QFile::remove(path);
}

bool FileOps::exists(const QString &path)
{
    return QFileInfo::exists(path);
}

bool FileOps::canReplace(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    if (info.isDir())
        return false;
    // The owner's write bit stands for the read-only attribute: it protects
    // a file even from a user (root) whom the system would let write.
    if (!(info.permissions() & QFileDevice::WriteOwner) || !info.isWritable())
        return false;
    const QFileInfo folder(info.absolutePath());
    return folder.isWritable();
}

bool FileOps::syncToDisk(int fileHandle)
{
#ifdef Q_OS_UNIX
    return fileHandle < 0 || ::fsync(fileHandle) == 0;
#else
    Q_UNUSED(fileHandle);
    return true;
#endif
}
