#include "cli/CsvArguments.h"

#include "exchange/CsvDirectives.h"

#include <QFileInfo>

#include <functional>

namespace {

// Options with a value call `take` with it, switches with an empty one; the
// two file names are collected. False with `error` set when the arguments
// do not fit.
bool walk(const QStringList &arguments, const QStringList &valued, const QStringList &switches,
          const std::function<QString(const QString &, const QString &)> &take, CsvArguments &a)
{
    QStringList files;
    QStringList seen;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--"))) {
            files.append(argument);
            continue;
        }
        if (seen.contains(argument)) {
            a.error = QStringLiteral("Die Option %1 ist doppelt angegeben.").arg(argument);
            return false;
        }
        seen.append(argument);
        const bool hasValue = valued.contains(argument);
        if (!hasValue && !switches.contains(argument)) {
            a.error = QStringLiteral("Unbekannte Option %1.").arg(argument);
            return false;
        }
        if (hasValue && i + 1 >= arguments.size()) {
            a.error = QStringLiteral("Der Option %1 fehlt ihr Wert.").arg(argument);
            return false;
        }
        a.error = take(argument, hasValue ? arguments.at(++i) : QString());
        if (!a.error.isEmpty())
            return false;
    }
    if (files.size() != 2) {
        a.error = QStringLiteral("Anzugeben sind genau eine Eingabe- und eine Ausgabedatei.");
        return false;
    }
    a.inPath = files.at(0);
    a.outPath = files.at(1);
    return true;
}

QString notOneOf(const QString &option, const QString &allowed, const QString &value)
{
    return QStringLiteral("%1 kennt nur %2, nicht \"%3\".").arg(option, allowed, value);
}

} // namespace

CsvArguments CsvArguments::parseImport(const QStringList &arguments)
{
    CsvArguments a;
    const QStringList valued = {QStringLiteral("--delimiter"), QStringLiteral("--encoding"), QStringLiteral("--header"),
                                QStringLiteral("--html"), QStringLiteral("--media")};
    const auto take = [&a](const QString &option, const QString &value) -> QString {
        if (option == QLatin1String("--delimiter")) {
            const std::optional<QChar> delimiter =
                value == QLatin1String("tab") || value == QLatin1String("semicolon") || value == QLatin1String("comma")
                ? CsvDirectives::separatorNamed(value)
                : std::nullopt;
            if (!delimiter)
                return notOneOf(option, QStringLiteral("tab, semicolon und comma"), value);
            a.import.delimiter = delimiter;
        } else if (option == QLatin1String("--encoding")) {
            if (value.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0)
                a.import.encoding = TextEncoding::Encoding::Utf8;
            else if (value.compare(QLatin1String("windows-1252"), Qt::CaseInsensitive) == 0)
                a.import.encoding = TextEncoding::Encoding::Windows1252;
            else
                return notOneOf(option, QStringLiteral("utf-8 und windows-1252"), value);
        } else if (option == QLatin1String("--media")) {
            if (!QFileInfo(value).isDir())
                return QStringLiteral("Der Bilderordner %1 existiert nicht.").arg(value);
            a.mediaFolder = value;
        } else {
            if (value != QLatin1String("yes") && value != QLatin1String("no"))
                return notOneOf(option, QStringLiteral("yes und no"), value);
            (option == QLatin1String("--header") ? a.import.header : a.import.html) = value == QLatin1String("yes");
        }
        return QString();
    };
    if (walk(arguments, valued, {}, take, a) && a.mediaFolder.isEmpty())
        a.mediaFolder = QFileInfo(a.inPath).absolutePath();
    return a;
}

CsvArguments CsvArguments::parseExport(const QStringList &arguments)
{
    CsvArguments a;
    const auto take = [&a](const QString &option, const QString &value) -> QString {
        if (option == QLatin1String("--format")) {
            if (value == QLatin1String("tab"))
                a.exportOptions.format = CsvExport::Format::Tab;
            else if (value == QLatin1String("semicolon"))
                a.exportOptions.format = CsvExport::Format::Semicolon;
            else
                return notOneOf(option, QStringLiteral("tab und semicolon"), value);
        } else if (option == QLatin1String("--boxes")) {
            a.exportOptions.boxes = true;
        } else {
            a.exportOptions.html = true;
        }
        return QString();
    };
    walk(arguments, {QStringLiteral("--format")}, {QStringLiteral("--boxes"), QStringLiteral("--html")}, take, a);
    return a;
}
