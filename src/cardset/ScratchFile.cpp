#include "cardset/ScratchFile.h"

#include "cardset/FileOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryFile>

QString ScratchFile::UniqueFileName(const QString &path)
{
    qsizetype separator = -1;
    for (QChar c : {QLatin1Char('\\'), QLatin1Char(':'), QLatin1Char('/')})
        separator = std::max(separator, path.lastIndexOf(c));
    qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= separator)
        dot = path.size();
    const QString stem = path.left(dot);
    const QString extension = path.mid(dot);
    for (quint64 n = 1;; ++n) {
        const QString candidate = stem + QLatin1Char('_') + QString::number(n) + extension;
        if (!FileOps::exists(candidate))
            return candidate;
    }
}

QString ScratchFile::makeWorkFilePath(const QString &folder, const QString &prefix)
{
    QString base = folder;
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/')) && !base.endsWith(QLatin1Char('\\')))
        base += QLatin1Char('/');
    QTemporaryFile reserve(base + prefix + QStringLiteral("XXXXXX.tmp"));
    reserve.setAutoRemove(false);
    if (reserve.open())
        return reserve.fileName();
    // The folder may not exist yet; the name must still be this program's.
    return base + prefix + QString::number(QCoreApplication::applicationPid()) + QStringLiteral(".tmp");
}

void ScratchFile::clear(QString &workFilePath)
{
    FileOps::removeQuietly(workFilePath);
    if (FileOps::exists(workFilePath))
        workFilePath = UniqueFileName(workFilePath);
}
