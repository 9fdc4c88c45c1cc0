#pragma once

#include <QString>
#include <QStringList>

// The arguments of "learn SET.ql3 [--box 1-4 | --all] [--due] [--cram]" and
// of "stats SET.ql3 [--json]".
struct LearnArguments
{
    QString setPath;
    // 1 to 4, or 0 for every box.
    int box = 0;
    bool dueOnly = false;
    bool cramming = false;
    bool json = false;

    // What is wrong with them, in German; empty when they are usable.
    QString error;

    // The arguments after the subcommand's name.
    static LearnArguments parseLearn(const QStringList &arguments);
    static LearnArguments parseStats(const QStringList &arguments);
};
