#include "cli/PrintSettingsFile.h"

#include "program/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// The program's folder relative to ours in a build tree; the build sets it.
#ifndef QUILLO_PROGRAM_FROM_CLI
#define QUILLO_PROGRAM_FROM_CLI "../app"
#endif

namespace {

bool holdsProgram(const QString &folder)
{
    const QDir dir(folder);
    return QFileInfo(dir.filePath(QStringLiteral("quillo"))).isFile() || QFileInfo(dir.filePath(QStringLiteral("quillo.exe"))).isFile();
}

} // namespace

QString PrintSettingsFile::programSettingsPath()
{
    QString programFolder = ProgramFolder::path();
    const QString buildTreeFolder = QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(QUILLO_PROGRAM_FROM_CLI)));
    if (!holdsProgram(programFolder) && holdsProgram(buildTreeFolder))
        programFolder = buildTreeFolder;
    // the program's configuration folder, named after its organisation and
    // application name, not after this one's
    const QString configFolder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(QStringLiteral("Quillo/Quillo"));
    return ProgramSettings::chooseFilePath(programFolder, configFolder, ProgramFolder::isInstalled());
}

ProgramSettings PrintSettingsFile::read(const QString &path)
{
    ProgramSettings settings(path);
    settings.readOnly();
    return settings;
}
