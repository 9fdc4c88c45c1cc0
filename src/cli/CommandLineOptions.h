#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The options of a subcommand: each given at most once, known, and with
// its value where it takes one; every other argument is a file name.
class CommandLineOptions
{
public:
    // Calls `take` for every option with its value (empty for a switch);
    // the first error `take` returns ends the walk. Returns what is wrong,
    // in German, or an empty text.
    using Take = std::function<QString(const QString &option, const QString &value)>;
    static QString walk(const QStringList &arguments, const QStringList &valued, const QStringList &switches, const Take &take,
                        QStringList &files);

    // "--paper kennt nur A4 und Letter, nicht "A3"."
    static QString notOneOf(const QString &option, const QString &allowed, const QString &value);
};
