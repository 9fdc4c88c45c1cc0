#include "cli/CommandLineOptions.h"

QString CommandLineOptions::walk(const QStringList &arguments, const QStringList &valued, const QStringList &switches, const Take &take,
                                 QStringList &files)
{
    QStringList seen;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--"))) {
            files.append(argument);
            continue;
        }
        if (seen.contains(argument))
            return QStringLiteral("Die Option %1 ist doppelt angegeben.").arg(argument);
        seen.append(argument);
        const bool hasValue = valued.contains(argument);
        if (!hasValue && !switches.contains(argument))
            return QStringLiteral("Unbekannte Option %1.").arg(argument);
        if (hasValue && i + 1 >= arguments.size())
            return QStringLiteral("Der Option %1 fehlt ihr Wert.").arg(argument);
        const QString error = take(argument, hasValue ? arguments.at(++i) : QString());
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

QString CommandLineOptions::notOneOf(const QString &option, const QString &allowed, const QString &value)
{
    return QStringLiteral("%1 kennt nur %2, nicht \"%3\".").arg(option, allowed, value);
}
