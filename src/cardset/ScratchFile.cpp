#include "cardset/ScratchFile.h"

#include "cardset/FileOps.h"
#include "cardset/RunningProcess.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
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
    removeLeftovers(base.isEmpty() ? QStringLiteral(".") : base, prefix);
    const QString own = base + prefix + QString::number(RunningProcess::currentId());
    QTemporaryFile reserve(own + QStringLiteral("-XXXXXX.tmp"));
    reserve.setAutoRemove(false);
    if (reserve.open())
        return reserve.fileName();
    // The folder may not exist yet; the name must still be this program's.
    return own + QStringLiteral(".tmp");
}

int ScratchFile::removeLeftovers(const QString &folder, const QString &prefix)
{
    // The reserved name, or one moved on from it ("_1", "_2" ...). Names
    // without the process id, as older versions made them, stay.
    const QRegularExpression name(QLatin1Char('^') + QRegularExpression::escape(prefix)
                                  + QStringLiteral("(\\d{1,10})-[A-Za-z0-9]{6}(_\\d+)*\\.tmp$"));
    const QDir dir(folder);
    int removed = 0;
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch match = name.match(entry);
        if (!match.hasMatch())
            continue;
        const qint64 owner = match.capturedView(1).toLongLong();
        if (owner == RunningProcess::currentId() || RunningProcess::exists(owner))
            continue;
        if (QFile::remove(dir.filePath(entry)))
            ++removed;
    }
    return removed;
}

void ScratchFile::clear(QString &workFilePath)
{
    FileOps::removeQuietly(workFilePath);
    if (FileOps::exists(workFilePath))
        workFilePath = UniqueFileName(workFilePath);
}
