#include "cli/PrintArguments.h"

#include "cli/CommandLineOptions.h"

PrintArguments PrintArguments::parse(const QStringList &arguments)
{
    PrintArguments a;
    QStringList files;
    const auto take = [&a](const QString &option, const QString &value) -> QString {
        if (option == QLatin1String("--printer")) {
            a.printer = value;
        } else if (option == QLatin1String("--backs-only")) {
            a.backsOnly = true;
        } else if (option == QLatin1String("--copies")) {
            bool ok = false;
            a.copies = value.toInt(&ok);
            if (!ok || a.copies < 1 || a.copies > 999)
                return QStringLiteral("--copies erwartet eine Zahl von 1 bis 999, nicht \"%1\".").arg(value);
        } else {
            return PrintPdfArguments::takeSheetOption(a.sheets, option, value);
        }
        return QString();
    };
    a.error = CommandLineOptions::walk(arguments,
                                       {QStringLiteral("--printer"), QStringLiteral("--cards"), QStringLiteral("--back-order"),
                                        QStringLiteral("--paper"), QStringLiteral("--copies")},
                                       {QStringLiteral("--fronts-only"), QStringLiteral("--backs-only")}, take, files);
    if (!a.error.isEmpty())
        return a;
    if (files.size() != 1) {
        a.error = QStringLiteral("Anzugeben ist genau ein Kartensatz.");
        return a;
    }
    if (a.backsOnly && a.sheets.frontsOnly) {
        a.error = QStringLiteral("--fronts-only und --backs-only schließen einander aus.");
        return a;
    }
    a.sheets.setPath = files.at(0);
    return a;
}
