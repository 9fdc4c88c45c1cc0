#include "cli/PrintPdfArguments.h"

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

PrintPdfArguments PrintPdfArguments::parse(const QStringList &arguments)
{
    PrintPdfArguments a;
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
            return a;
        }
        seen.append(argument);
        const bool takesValue =
            argument == QLatin1String("--cards") || argument == QLatin1String("--back-order") || argument == QLatin1String("--paper");
        if (takesValue && i + 1 >= arguments.size()) {
            a.error = QStringLiteral("Der Option %1 fehlt ihr Wert.").arg(argument);
            return a;
        }
        const QString value = takesValue ? arguments.at(++i) : QString();
        if (argument == QLatin1String("--cards")) {
            const std::optional<QList<int>> numbers = cardNumbers(value);
            if (!numbers) {
                a.error = QStringLiteral("Ungültige Kartenliste \"%1\": erwartet sind Kartennummern ab 1, durch Kommas getrennt (3,7).")
                              .arg(value);
                return a;
            }
            a.cards = *numbers;
        } else if (argument == QLatin1String("--back-order")) {
            if (value == QLatin1String("reverse")) {
                a.backOrder = PrintOrder::BackOrder::Reverse;
            } else if (value == QLatin1String("forward")) {
                a.backOrder = PrintOrder::BackOrder::Forward;
            } else {
                a.error = QStringLiteral("--back-order kennt nur reverse und forward, nicht \"%1\".").arg(value);
                return a;
            }
        } else if (argument == QLatin1String("--paper")) {
            if (value.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0) {
                a.paper = QPageSize::A4;
            } else if (value.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0) {
                a.paper = QPageSize::Letter;
            } else {
                a.error = QStringLiteral("--paper kennt nur A4 und Letter, nicht \"%1\".").arg(value);
                return a;
            }
        } else if (argument == QLatin1String("--fronts-only")) {
            a.frontsOnly = true;
        } else if (argument == QLatin1String("--duplex")) {
            a.duplex = true;
        } else {
            a.error = QStringLiteral("Unbekannte Option %1.").arg(argument);
            return a;
        }
    }
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
