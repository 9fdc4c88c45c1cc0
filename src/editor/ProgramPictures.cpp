#include "editor/ProgramPictures.h"

#include <QCoreApplication>
#include <QDir>

namespace {
ProgramPictures::Locator &locator()
{
    static ProgramPictures::Locator instance;
    return instance;
}
} // namespace

void ProgramPictures::setLocator(Locator value)
{
    locator() = std::move(value);
}

QString ProgramPictures::path(const QString &name)
{
    if (locator())
        return locator()(name);
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}
