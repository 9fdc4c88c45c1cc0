#include "cli/CsvArguments.h"

#include "exchange/CsvDirectives.h"

#include "cli/CommandLineOptions.h"

#include <QFileInfo>

namespace {

// The two file names go to `a`; false with `a.error` set when the
// arguments do not fit.
bool walk(const QStringList &arguments, const QStringList &valued, const QStringList &switches, const CommandLineOptions::Take &take,
          CsvArguments &a)
{
    QStringList files;
    a.error = CommandLineOptions::walk(arguments, valued, switches, take, files);
    if (a.error.isEmpty() && files.size() != 2)
        a.error = QStringLiteral("Anzugeben sind genau eine Eingabe- und eine Ausgabedatei.");
    if (!a.error.isEmpty())
        return false;
    a.inPath = files.at(0);
    a.outPath = files.at(1);
    return true;
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
                return CommandLineOptions::notOneOf(option, QStringLiteral("tab, semicolon und comma"), value);
            a.import.delimiter = delimiter;
        } else if (option == QLatin1String("--encoding")) {
            if (value.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0)
                a.import.encoding = TextEncoding::Encoding::Utf8;
            else if (value.compare(QLatin1String("windows-1252"), Qt::CaseInsensitive) == 0)
                a.import.encoding = TextEncoding::Encoding::Windows1252;
            else
                return CommandLineOptions::notOneOf(option, QStringLiteral("utf-8 und windows-1252"), value);
        } else if (option == QLatin1String("--media")) {
            if (!QFileInfo(value).isDir())
                return QStringLiteral("Der Bilderordner %1 existiert nicht.").arg(value);
            a.mediaFolder = value;
        } else {
            if (value != QLatin1String("yes") && value != QLatin1String("no"))
                return CommandLineOptions::notOneOf(option, QStringLiteral("yes und no"), value);
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
                return CommandLineOptions::notOneOf(option, QStringLiteral("tab und semicolon"), value);
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
