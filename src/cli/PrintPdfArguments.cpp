#include "cli/PrintPdfArguments.h"

#include "cli/CommandLineOptions.h"

namespace {

std::optional<QList<int>> cardNumbers(const QString &list)
{
    QList<int> numbers;
    for (const QString &item : list.split(QLatin1Char(','))) {
        bool ok = false;
        const int number = item.trimmed().toInt(&ok);
        if (!ok || number < 1)
            return std::nullopt;
        if (!numbers.contains(number))
            numbers.append(number);
    }
    return numbers;
}

} // namespace

QString PrintPdfArguments::takeSheetOption(PrintPdfArguments &a, const QString &option, const QString &value)
{
    if (option == QLatin1String("--cards")) {
        const std::optional<QList<int>> numbers = cardNumbers(value);
        if (!numbers)
            return QStringLiteral("Ungültige Kartenliste \"%1\": erwartet sind Kartennummern ab 1, durch Kommas getrennt (3,7).")
                .arg(value);
        a.cards = *numbers;
    } else if (option == QLatin1String("--back-order")) {
        if (value == QLatin1String("reverse"))
            a.backOrder = PrintOrder::BackOrder::Reverse;
        else if (value == QLatin1String("forward"))
            a.backOrder = PrintOrder::BackOrder::Forward;
        else
            return CommandLineOptions::notOneOf(option, QStringLiteral("reverse und forward"), value);
    } else if (option == QLatin1String("--paper")) {
        if (value.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
            a.paper = QPageSize::A4;
        else if (value.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
            a.paper = QPageSize::Letter;
        else
            return CommandLineOptions::notOneOf(option, QStringLiteral("A4 und Letter"), value);
    } else if (option == QLatin1String("--fronts-only")) {
        a.frontsOnly = true;
    }
    return QString();
}

PrintPdfArguments PrintPdfArguments::parse(const QStringList &arguments)
{
    PrintPdfArguments a;
    QStringList files;
    const auto take = [&a](const QString &option, const QString &value) -> QString {
        if (option == QLatin1String("--duplex")) {
            a.duplex = true;
            return QString();
        }
        return takeSheetOption(a, option, value);
    };
    a.error = CommandLineOptions::walk(arguments, {QStringLiteral("--cards"), QStringLiteral("--back-order"), QStringLiteral("--paper")},
                                       {QStringLiteral("--fronts-only"), QStringLiteral("--duplex")}, take, files);
    if (!a.error.isEmpty())
        return a;
    if (files.size() != 2) {
        a.error = QStringLiteral("Anzugeben sind genau ein Kartensatz und eine PDF-Datei.");
        return a;
    }
    // the back order means the feed of a one-sided printer's second pass
    if ((a.duplex && a.frontsOnly) || (a.backOrder && (a.duplex || a.frontsOnly))) {
        a.error = QStringLiteral("--duplex, --fronts-only und --back-order schließen einander aus.");
        return a;
    }
    a.setPath = files.at(0);
    a.pdfPath = files.at(1);
    return a;
}
