#include "app/CommandLineArguments.h"

#include <QFileInfo>

CommandLineArguments::CommandLineArguments(const QStringList &arguments)
    : m_arguments(arguments)
{
}

bool CommandLineArguments::isFastSwitch(const QString &argument)
{
    // Letters a to z only: "faſt" is a file name, not the switch.
    static const char upper[] = "FAST";
    if (argument.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        char16_t c = argument.at(i).unicode();
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - u'a' + u'A');
        if (c != char16_t(upper[i]))
            return false;
    }
    return true;
}

bool CommandLineArguments::namesExistingFile(const QString &argument)
{
    return !argument.isEmpty() && QFileInfo(argument).isFile();
}

bool CommandLineArguments::skipsSplashWait() const
{
    return !m_arguments.isEmpty() && isFastSwitch(m_arguments.first());
}

QStringList CommandLineArguments::files(const FileTest &exists) const
{
    QStringList result;
    for (const QString &argument : m_arguments) {
        if (!isFastSwitch(argument) && exists(argument))
            result.append(argument);
    }
    return result;
}

QStringList CommandLineArguments::takeStartupFiles(const FileTest &exists)
{
    if (!m_startupPending)
        return {};
    m_startupPending = false;
    return files(exists);
}
