#pragma once

#include <QStringList>
#include <QTextStream>

// The subcommands of quillo-cli; each returns the process exit status.
class CliCommands
{
public:
    CliCommands(QTextStream &out, QTextStream &err);

    int run(const QStringList &arguments);

    int info(const QString &path);
    int usage();

private:
    QTextStream &m_out;
    QTextStream &m_err;
};
