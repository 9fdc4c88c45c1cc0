#include "program/ProgramSettings.h"

#include "program/ProgramFolder.h"

#include "cardset/IniText.h"
#include "cardset/ScratchFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <limits>

QString ProgramSettings::chooseFilePath(const QString &programFolder, const QString &configFolder, bool installed)
{
    const QString inProgramFolder = QDir(programFolder).filePath(fileName());
    const QFileInfo file(inProgramFolder);
    // A read-only file of ours in a writable folder is made writable again on
    // write, so the folder decides; an existing writable file is enough too.
    if (!installed && (QFileInfo(programFolder).isWritable() || (file.isFile() && file.isWritable())))
        return inProgramFolder;
    QDir().mkpath(configFolder);
    return QDir(configFolder).filePath(fileName());
}

QString ProgramSettings::defaultFilePath()
{
    return chooseFilePath(ProgramFolder::path(), QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                          ProgramFolder::isInstalled());
}

ProgramSettings::ProgramSettings(const QString &filePath)
    : m_filePath(filePath)
{
}

void ProgramSettings::read()
{
    IniText ini(m_filePath);
    readValues(ini);
    // Releasing writes the file back: unchanged, or created empty.
    ini.release();
}

void ProgramSettings::readOnly()
{
    readValues(IniText(m_filePath, IniText::Mode::ReadOnly));
}

void ProgramSettings::readValues(const IniText &ini)
{
    const QString data = section();
    ZuZuE = ini.ReadBool(data, QStringLiteral("ZuZuE"), true);
    HUX = ini.ReadInteger(data, QStringLiteral("HUX"), 0);
    HUY = ini.ReadInteger(data, QStringLiteral("HUY"), 0);
    QUX = ini.ReadInteger(data, QStringLiteral("QUX"), 0);
    QUY = ini.ReadInteger(data, QStringLiteral("QUY"), 0);
    SX = ini.ReadInteger(data, QStringLiteral("SX"), 0);
    SY = ini.ReadInteger(data, QStringLiteral("SY"), 0);
    // Held in 16 bits. A value outside them would wrap into a nonsense
    // width (-1 into 65535 pixels), so it counts as unreadable.
    const qint32 cutEdge = ini.ReadInteger(data, QStringLiteral("Schnittkante"), 1);
    Schnittkante = cutEdge >= 0 && cutEdge <= std::numeric_limits<quint16>::max() ? quint16(cutEdge) : quint16(1);
    Temp = ini.ReadString(data, QStringLiteral("Temp"), QString());
    for (int box = 0; box < int(Abstand.size()); ++box) {
        const qint32 days = ini.ReadInteger(data, QStringLiteral("Abstand%1").arg(box + 1), DefaultAbstand[box]);
        Abstand[box] = days >= MinAbstand && days <= MaxAbstand ? days : DefaultAbstand[box];
    }
}

void ProgramSettings::write() const
{
    IniText ini(m_filePath);
    const QString data = section();
    ini.WriteBool(data, QStringLiteral("ZuZuE"), ZuZuE);
    ini.WriteInteger(data, QStringLiteral("HUX"), HUX);
    ini.WriteInteger(data, QStringLiteral("HUY"), HUY);
    ini.WriteInteger(data, QStringLiteral("QUX"), QUX);
    ini.WriteInteger(data, QStringLiteral("QUY"), QUY);
    ini.WriteInteger(data, QStringLiteral("SX"), SX);
    ini.WriteInteger(data, QStringLiteral("SY"), SY);
    ini.WriteInteger(data, QStringLiteral("Schnittkante"), Schnittkante);
    for (int box = 0; box < int(Abstand.size()); ++box)
        ini.WriteInteger(data, QStringLiteral("Abstand%1").arg(box + 1), Abstand[box]);
}

QString ProgramSettings::workFolder(const QString &temp)
{
    if (IniText::trimBlanks(temp).isEmpty())
        return {};
    if (temp.endsWith(QLatin1Char('\\')) || temp.endsWith(QDir::separator()) || temp.endsWith(QLatin1Char('/')))
        return temp;
    return temp + QDir::separator();
}

QString ProgramSettings::workFolder() const
{
    return workFolder(Temp);
}

QString ProgramSettings::makeWorkFilePath() const
{
    const QString folder = workFolder();
    if (folder.isEmpty())
        return ScratchFile::makeWorkFilePath(QDir::tempPath());
    // The user's folder is taken as written and neither tested nor created;
    // the name is still this program's alone.
    return ScratchFile::makeWorkFilePath(folder, QStringLiteral("temp1-"));
}
