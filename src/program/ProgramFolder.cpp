#include "program/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// The data folder of an installation, relative to its bin folder; the build
// sets it from the install layout.
#ifndef QUILLO_DATA_FROM_BIN
#define QUILLO_DATA_FROM_BIN "../share/quillo"
#endif

namespace {

QString withSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

QString ProgramFolder::path()
{
    return withSeparator(QCoreApplication::applicationDirPath());
}

QStringList ProgramFolder::searchFolders(const QString &programFolder, const QString &dataFromProgram)
{
    QStringList folders{withSeparator(programFolder)};
    if (!dataFromProgram.isEmpty())
        folders.append(withSeparator(QDir::cleanPath(QDir(programFolder).filePath(dataFromProgram))));
    return folders;
}

QStringList ProgramFolder::searchFolders()
{
    QStringList folders = searchFolders(QCoreApplication::applicationDirPath(), QStringLiteral(QUILLO_DATA_FROM_BIN));
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString folder = withSeparator(QDir(data).filePath(QStringLiteral("quillo")));
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

QString ProgramFolder::filePath(const QString &name, const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QString candidate = folder + name;
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return folders.isEmpty() ? name : folders.first() + name;
}

bool ProgramFolder::isInstalled()
{
    const QStringList folders = searchFolders(QCoreApplication::applicationDirPath(), QStringLiteral(QUILLO_DATA_FROM_BIN));
    return folders.size() > 1 && QFileInfo(folders.at(1)).isDir();
}

QString ProgramFolder::filePath(const QString &name)
{
    return filePath(name, searchFolders());
}
