#include "cli/CliHelp.h"

#include "program/ProgramVersion.h"

#include <algorithm>

namespace {

bool isHelpSwitch(const QString &argument)
{
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

QString synopsis(const CliHelp::Command &command)
{
    QString line = QStringLiteral("quillo-cli ") + command.name;
    if (!command.arguments.isEmpty())
        line += QLatin1Char(' ') + command.arguments;
    if (!command.options.isEmpty())
        line += QStringLiteral(" [OPTIONEN]");
    return line;
}

// The options one to a line, their texts in one column.
QString optionLines(const QList<CliHelp::Option> &options, const QString &indent)
{
    qsizetype width = 0;
    for (const CliHelp::Option &option : options)
        width = std::max(width, option.name.size());
    QString lines;
    for (const CliHelp::Option &option : options)
        lines += indent + option.name.leftJustified(width + 2) + option.text + QLatin1Char('\n');
    return lines;
}

CliHelp::Answer complaint(const QString &message)
{
    return {2, QString(), message + QLatin1Char('\n') + CliHelp::hint() + QLatin1Char('\n')};
}

} // namespace

const QList<CliHelp::Command> &CliHelp::commands()
{
    static const QList<Command> list = {
        {QStringLiteral("info"), QStringLiteral("DATEI.ql3"), QStringLiteral("gibt alle Angaben des Kartensatzes als JSON aus"), {}},
        {QStringLiteral("convert"),
         QStringLiteral("ALT.qla NEU.ql3"),
         QStringLiteral("speichert einen Kartensatz (auch im Format 2.5, .qla) als .ql3"),
         {}},
        {QStringLiteral("export-html"),
         QStringLiteral("DATEI.ql3 SEITE.html"),
         QStringLiteral("schreibt alle Karten als Webseite mit den Antworten als Tooltip"),
         {}},
        {QStringLiteral("cat"), QStringLiteral("DATEI.ql3"), QStringLiteral("gibt den Text jeder Karte aus, Vorder- und Rückseite"), {}},
        {QStringLiteral("print-pdf"),
         QStringLiteral("DATEI.ql3 AUSGABE.pdf"),
         QStringLiteral("druckt die Karten als Schneidebögen in eine PDF-Datei"),
         {
             {QStringLiteral("--cards LISTE"), QStringLiteral("nur diese Karten, ab 1 gezählt (3,7)")},
             {QStringLiteral("--fronts-only"), QStringLiteral("nur die Vorderseiten")},
             {QStringLiteral("--back-order reverse|forward"),
              QStringLiteral("Rückseiten ab dem letzten oder ersten Bogen (sonst: Einstellung)")},
             {QStringLiteral("--duplex"), QStringLiteral("jede Rückseite nach ihrer Vorderseite (beidseitig)")},
             {QStringLiteral("--paper A4|Letter"), QStringLiteral("Papierformat (A4, wenn nicht angegeben)")},
         }},
        {QStringLiteral("import-csv"),
         QStringLiteral("LISTE NEU.ql3"),
         QStringLiteral("legt aus einer Wortliste (CSV) einen Kartensatz an; was fehlt, wird erkannt"),
         {
             {QStringLiteral("--delimiter tab|semicolon|comma"), QStringLiteral("Trennzeichen der Spalten")},
             {QStringLiteral("--encoding utf-8|windows-1252"), QStringLiteral("Zeichenkodierung der Liste")},
             {QStringLiteral("--header yes|no"), QStringLiteral("ob die erste Zeile Spaltenköpfe enthält")},
             {QStringLiteral("--html yes|no"), QStringLiteral("ob die Felder HTML sind")},
             {QStringLiteral("--media ORDNER"), QStringLiteral("Ordner der Bilder (sonst der Ordner der Liste)")},
         }},
        {QStringLiteral("import-apkg"),
         QStringLiteral("PAKET.apkg NEU.ql3"),
         QStringLiteral("legt aus einem Anki-Paket einen Kartensatz an, jede Anki-Karte eine Karte"),
         {
             {QStringLiteral("--deck NAME"), QStringLiteral("nur dieser Stapel mit seinen Unterstapeln (sonst alle Karten)")},
         }},
        {QStringLiteral("export-csv"),
         QStringLiteral("DATEI.ql3 LISTE"),
         QStringLiteral("schreibt alle Karten als Wortliste"),
         {
             {QStringLiteral("--format tab|semicolon"), QStringLiteral("tab: UTF-8 (Vorgabe); semicolon: Windows-1252, CR LF")},
             {QStringLiteral("--boxes"), QStringLiteral("der Kasten jeder Karte als dritte Spalte")},
             {QStringLiteral("--html"), QStringLiteral("die Seiten als einfaches HTML mit ihrer Formatierung")},
         }},
        {QStringLiteral("export-apkg"),
         QStringLiteral("DATEI.ql3 PAKET.apkg"),
         QStringLiteral("schreibt alle Karten als Anki-Paket, den Kasten als Schlagwort Kasten::N"),
         {}},
        {QStringLiteral("print"),
         QStringLiteral("DATEI.ql3"),
         QStringLiteral("druckt die Karten auf einem Drucker, Vorder- und Rückseiten als zwei Aufträge"),
         {
             {QStringLiteral("--printer NAME"), QStringLiteral("dieser Drucker (sonst der Standarddrucker)")},
             {QStringLiteral("--cards LISTE"), QStringLiteral("nur diese Karten, ab 1 gezählt (3,7)")},
             {QStringLiteral("--fronts-only"), QStringLiteral("nur die Vorderseiten")},
             {QStringLiteral("--backs-only"), QStringLiteral("nur die Rückseiten")},
             {QStringLiteral("--back-order reverse|forward"),
              QStringLiteral("Rückseiten ab dem letzten oder ersten Bogen (sonst: Einstellung)")},
             {QStringLiteral("--paper A4|Letter"), QStringLiteral("Papierformat (A4, wenn nicht angegeben)")},
             {QStringLiteral("--copies N"), QStringLiteral("so viele Exemplare")},
         }},
        {QStringLiteral("learn"),
         QStringLiteral("DATEI.ql3"),
         QStringLiteral("fragt die Karten ab: Eingabetaste zeigt die Rückseite, j/n gewusst oder nicht, q hört auf"),
         {
             {QStringLiteral("--box 1-4"), QStringLiteral("nur die Karten dieses Kastens")},
             {QStringLiteral("--all"), QStringLiteral("die Karten aller Kästen (Vorgabe)")},
             {QStringLiteral("--due"), QStringLiteral("nur die fälligen Karten, nach Quillos Wiederholungsabständen")},
             {QStringLiteral("--cram"), QStringLiteral("pauken statt abfragen")},
         }},
        {QStringLiteral("stats"),
         QStringLiteral("DATEI.ql3"),
         QStringLiteral("zeigt Kästen, fällige Karten und die Antworten der letzten 30 Tage"),
         {
             {QStringLiteral("--json"), QStringLiteral("als JSON")},
         }},
        {QStringLiteral("printers"),
         QString(),
         QStringLiteral("zeigt die Drucker: Name, Standarddrucker (*), ob er Aufträge annimmt, Zustand"),
         {}},
    };
    return list;
}

const CliHelp::Command *CliHelp::find(const QString &name)
{
    for (const Command &command : commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

QString CliHelp::usage()
{
    QString text = QStringLiteral("Aufruf: quillo-cli BEFEHL ARGUMENTE [OPTIONEN]\n"
                                  "        quillo-cli help [BEFEHL]\n"
                                  "        quillo-cli --help | -h | --version\n"
                                  "\n"
                                  "Befehle:\n");
    for (const Command &command : commands()) {
        text += QStringLiteral("  %1\n      %2\n").arg((command.name + QLatin1Char(' ') + command.arguments).trimmed(), command.summary);
        text += optionLines(command.options, QStringLiteral("      "));
    }
    text += QStringLiteral("\nAusführlich: man quillo-cli\n");
    return text;
}

QString CliHelp::usage(const Command &command)
{
    QString text = QStringLiteral("Aufruf: %1\n\n%2\n").arg(synopsis(command), command.summary);
    if (!command.options.isEmpty())
        text += QStringLiteral("\nOptionen:\n") + optionLines(command.options, QStringLiteral("  "));
    return text;
}

QString CliHelp::version()
{
    return QStringLiteral("quillo-cli ") + ProgramVersion::number();
}

QString CliHelp::hint()
{
    return QStringLiteral("Hilfe: quillo-cli --help");
}

std::optional<CliHelp::Answer> CliHelp::answer(const QStringList &arguments)
{
    const QString first = arguments.value(0);
    if (isHelpSwitch(first))
        return Answer{0, usage(), QString()};
    if (first == QLatin1String("--version"))
        return Answer{0, version() + QLatin1Char('\n'), QString()};
    if (first == QLatin1String("help")) {
        if (arguments.size() == 1)
            return Answer{0, usage(), QString()};
        const Command *command = find(arguments.at(1));
        if (!command)
            return complaint(QStringLiteral("Unbekannter Befehl %1.").arg(arguments.at(1)));
        if (arguments.size() > 2)
            return complaint(QStringLiteral("Falsche Argumente, richtig ist: quillo-cli help [BEFEHL]"));
        return Answer{0, usage(*command), QString()};
    }
    const Command *command = find(first);
    if (!command)
        return std::nullopt;
    if (std::any_of(arguments.begin() + 1, arguments.end(), isHelpSwitch))
        return Answer{0, usage(*command), QString()};
    // the commands with options tell their unknown ones themselves
    if (command->options.isEmpty()) {
        for (const QString &argument : arguments) {
            if (argument.startsWith(QLatin1String("--")))
                return complaint(QStringLiteral("Unbekannte Option %1.").arg(argument));
        }
    }
    return std::nullopt;
}

CliHelp::Answer CliHelp::rejected(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return complaint(QStringLiteral("Es fehlt der Befehl."));
    const QString &first = arguments.first();
    const Command *command = find(first);
    if (!command) {
        return complaint(first.startsWith(QLatin1Char('-')) ? QStringLiteral("Unbekannte Option %1.").arg(first)
                                                            : QStringLiteral("Unbekannter Befehl %1.").arg(first));
    }
    return complaint(QStringLiteral("Falsche Argumente, richtig ist: ") + synopsis(*command));
}
