#include "cli/LearnArguments.h"

#include "cli/CommandLineOptions.h"

namespace {

QString oneSet(LearnArguments &a, const QStringList &files)
{
    if (files.size() != 1)
        return QStringLiteral("Anzugeben ist genau ein Kartensatz.");
    a.setPath = files.first();
    return QString();
}

} // namespace

LearnArguments LearnArguments::parseLearn(const QStringList &arguments)
{
    LearnArguments a;
    bool all = false;
    bool boxGiven = false;
    QStringList files;
    const auto take = [&](const QString &option, const QString &value) -> QString {
        if (option == QLatin1String("--box")) {
            bool ok = false;
            a.box = value.toInt(&ok);
            if (!ok || a.box < 1 || a.box > 4)
                return QStringLiteral("--box kennt nur die Kästen 1 bis 4, nicht \"%1\".").arg(value);
            boxGiven = true;
        } else if (option == QLatin1String("--all")) {
            all = true;
        } else if (option == QLatin1String("--due")) {
            a.dueOnly = true;
        } else if (option == QLatin1String("--cram")) {
            a.cramming = true;
        }
        return QString();
    };
    a.error = CommandLineOptions::walk(arguments, {QStringLiteral("--box")},
                                       {QStringLiteral("--all"), QStringLiteral("--due"), QStringLiteral("--cram")}, take, files);
    if (a.error.isEmpty() && all && boxGiven)
        a.error = QStringLiteral("--box und --all schließen einander aus.");
    if (a.error.isEmpty())
        a.error = oneSet(a, files);
    return a;
}

LearnArguments LearnArguments::parseStats(const QStringList &arguments)
{
    LearnArguments a;
    QStringList files;
    a.error = CommandLineOptions::walk(
        arguments, {}, {QStringLiteral("--json")},
        [&a](const QString &, const QString &) {
            a.json = true;
            return QString();
        },
        files);
    if (a.error.isEmpty())
        a.error = oneSet(a, files);
    return a;
}
