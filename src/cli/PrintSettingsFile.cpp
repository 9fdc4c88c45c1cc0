#include "cli/PrintSettingsFile.h"

#include "app/ProgramFolder.h"
#include "app/ProgramSettings.h"
#include "cardset/IniText.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <limits>

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

PrintSettingsFile PrintSettingsFile::read(const QString &path)
{
    const IniText ini(path, IniText::Mode::ReadOnly);
    const QString data = ProgramSettings::section();
    PrintSettingsFile settings;
    settings.ZuZuE = ini.ReadBool(data, QStringLiteral("ZuZuE"), true);
    settings.calibration.HUX = ini.ReadInteger(data, QStringLiteral("HUX"), 0);
    settings.calibration.HUY = ini.ReadInteger(data, QStringLiteral("HUY"), 0);
    settings.calibration.QUX = ini.ReadInteger(data, QStringLiteral("QUX"), 0);
    settings.calibration.QUY = ini.ReadInteger(data, QStringLiteral("QUY"), 0);
    const qint32 cutWidth = ini.ReadInteger(data, QStringLiteral("Schnittkante"), 1);
    settings.calibration.Schnittkante = cutWidth >= 0 && cutWidth <= std::numeric_limits<quint16>::max() ? quint16(cutWidth) : quint16(1);
    return settings;
}
