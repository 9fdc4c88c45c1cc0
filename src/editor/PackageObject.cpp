#include "editor/PackageObject.h"

#include "richtext/PackagedFile.h"

#include <QFile>
#include <QFileInfo>

bool PackageObject::insertFile(QTextCursor &cursor, const QString &path, QString *errorMessage)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorMessage)
            *errorMessage = QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(QFileInfo(path).fileName());
        return false;
    }
    if (!PackagedFile::insert(cursor, path, file.readAll())) {
        if (errorMessage)
            *errorMessage = QStringLiteral("Die Datei \"%1\" kann nicht eingefügt werden.").arg(QFileInfo(path).fileName());
        return false;
    }
    return true;
}
