#include "app/HelpCommands.h"

#include "program/ProgramFolder.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

QString HelpCommands::manualPath()
{
    return ProgramFolder::filePath(manualName());
}

bool HelpCommands::openManual()
{
    const QString path = manualPath();
    if (!QFileInfo(path).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
