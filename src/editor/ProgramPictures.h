#pragma once

#include <QString>

#include <functional>

// Where the pictures of the program folder ("hochkant.bmp", ...) are found.
// The application shell knows the folders of an installation and sets the
// locator; without one, the folder of the running program is used.
class ProgramPictures
{
public:
    using Locator = std::function<QString(const QString &name)>;

    static void setLocator(Locator locator);
    // The path under which the picture of that name would be; it may not exist.
    static QString path(const QString &name);
};
