#pragma once

#include "cardset/CardSetFile.h"

#include <QStringList>
#include <QTextStream>

#include <functional>

struct CommandSet;

// The subcommands of quillo-cli; each returns the process exit status.
class CliCommands
{
public:
    CliCommands(QTextStream &out, QTextStream &err);

    // Also answers --help, --version and arguments that no command takes.
    int run(const QStringList &arguments);

    int info(const QString &path);
    int convert(const QString &from, const QString &to);
    int exportHtml(const QString &path, const QString &page);
    // The plain text of every card, front and back, in card order.
    int cat(const QString &path);
    // The cards as cut-out sheets in a PDF file; `arguments` follow the
    // subcommand's name.
    int printPdf(const QStringList &arguments);
    // A word list as a new card set; nothing is written when the list
    // cannot be read.
    int importCsv(const QStringList &arguments);
    // An Anki package as a new card set; nothing is written when it cannot
    // be read or makes no card.
    int importApkg(const QStringList &arguments);
    // Every card of a set as a word list.
    int exportCsv(const QStringList &arguments);
    // Every card of a set as an Anki package.
    int exportApkg(const QString &path, const QString &package);
    // The cards on a printer of the print server: the fronts as one job,
    // on a terminal the paper change, the backs as a second job.
    int print(const QStringList &arguments);
    // The print server's printers.
    int printers();
    // A quiz on standard input and output; the set is saved when anything
    // was answered.
    int learn(const QStringList &arguments);
    // Boxes, due cards and the answers of the last days.
    int stats(const QStringList &arguments);
    // After a complaint about the arguments: the hint to --help; status 2.
    int usage();

private:
    // Loads with the German messages on failure; false when it failed.
    // `faces` as CardSetFile::LoadCardSet takes it.
    bool load(CommandSet &loaded, const QString &path, const std::function<void(const QByteArray &)> &faces = {});
    // "Beim Drucken trat ein Fehler auf." and why; the exit status 1.
    int printFailed(const QString &detail);
    // Why a set records no answers, or nothing when it records them.
    QString notRecording(const CardSet &set) const;
    // Reports a file that could not be written; the exit status.
    int notWritten(const FileResult &result, const QString &path);

    QTextStream &m_out;
    QTextStream &m_err;
    // The last load's result; `info` shows the step it reached.
    FileResult m_loadResult;
};
