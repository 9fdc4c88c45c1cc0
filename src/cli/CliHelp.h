#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What quillo-cli tells about itself: the usage of all commands or of one,
// its version, and the answer to a command line that no command takes. A
// new command is one more entry of commands().
class CliHelp
{
public:
    struct Option
    {
        QString name; // with its value: "--paper A4|Letter"
        QString text;
    };
    struct Command
    {
        QString name;
        QString arguments; // "DATEI.ql3 AUSGABE.pdf"
        QString summary;
        QList<Option> options;
    };
    static const QList<Command> &commands();
    static const Command *find(const QString &name);

    // What to print on standard output and standard error, and the exit
    // status.
    struct Answer
    {
        int status = 0;
        QString out;
        QString err;
    };
    // --help, -h, --version, "help [COMMAND]", a command's own --help, and
    // an unknown option of a command that has none; nothing when the
    // arguments are for a command to run.
    static std::optional<Answer> answer(const QStringList &arguments);
    // Arguments that no command took: an unknown command or option, or a
    // known command with too many or too few files. Status 2.
    static Answer rejected(const QStringList &arguments);

    static QString usage();
    static QString usage(const Command &command);
    static QString version();
    // The line after every complaint about the arguments.
    static QString hint();
};
