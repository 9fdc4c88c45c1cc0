#include "app/CommandLineArguments.h"

#include "program/ProgramVersion.h"

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

QString CommandLineArguments::usage()
{
    return QStringLiteral("Aufruf: quillo [FAST] [DATEI.ql3 ...]\n"
                          "        quillo --help | -h | --version\n"
                          "\n"
                          "Quillo, das Karteikartenprogramm: Karteikarten bearbeiten, lernen und drucken.\n"
                          "\n"
                          "  FAST        als erstes Argument: ohne die drei Sekunden des Startbilds\n"
                          "  DATEI.ql3   öffnet jede genannte Datei, der Reihe nach (auch .qla)\n"
                          "\n"
                          "Für die Kommandozeile: quillo-cli --help. Ausführlich: man quillo\n");
}

std::optional<CommandLineArguments::Answer> CommandLineArguments::information(const QStringList &arguments, const FileTest &exists)
{
    for (const QString &argument : arguments) {
        if (exists(argument))
            continue;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return Answer{0, usage(), QString()};
        if (argument == QLatin1String("--version"))
            return Answer{0, QStringLiteral("quillo ") + ProgramVersion::number() + QLatin1Char('\n'), QString()};
    }
    return std::nullopt;
}

std::optional<CommandLineArguments::Answer> CommandLineArguments::unknownOption(const QStringList &arguments, const FileTest &exists)
{
    for (const QString &argument : arguments) {
        if (argument.size() > 1 && argument.startsWith(QLatin1Char('-')) && !exists(argument))
            return Answer{2, QString(), QStringLiteral("Unbekannte Option %1.\nHilfe: quillo --help\n").arg(argument)};
    }
    return std::nullopt;
}
