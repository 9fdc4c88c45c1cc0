#pragma once

#include <QStringList>

#include <functional>
#include <optional>

// The program's command line, without the program name: card set files to
// open and the switch "FAST" (any letter case), which as the first argument
// skips the splash wait and in no position is a file.
class CommandLineArguments
{
public:
    using FileTest = std::function<bool(const QString &)>;

    explicit CommandLineArguments(const QStringList &arguments);

    // What to print on standard output and standard error instead of
    // starting, and the exit status.
    struct Answer
    {
        int status = 0;
        QString out;
        QString err;
    };
    // --help, -h and --version, seen before any window opens (they need no
    // display).
    static std::optional<Answer> information(const QStringList &arguments, const FileTest &exists = &namesExistingFile);
    // An option the program does not know ("--x" or "-x" naming no file),
    // among the arguments that Qt's own options have already left.
    static std::optional<Answer> unknownOption(const QStringList &arguments, const FileTest &exists = &namesExistingFile);
    static QString usage();

    static bool isFastSwitch(const QString &argument);
    // Whether an argument names an existing file (a folder is none).
    static bool namesExistingFile(const QString &argument);

    const QStringList &arguments() const { return m_arguments; }
    bool skipsSplashWait() const;

    // The arguments that name existing files, in order and unchanged; the
    // rest is left out without a word.
    QStringList files(const FileTest &exists = &CommandLineArguments::namesExistingFile) const;

    // The files to open when the main window first becomes active; every
    // later activation gets none.
    bool startupPending() const { return m_startupPending; }
    QStringList takeStartupFiles(const FileTest &exists = &CommandLineArguments::namesExistingFile);

private:
    QStringList m_arguments;
    bool m_startupPending = true;
};
