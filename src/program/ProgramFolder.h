#pragma once

#include <QString>
#include <QStringList>

// The program folder: the folder of the running program file. An installed
// program keeps its pictures and manual in its data folder instead (the
// program file sits in a bin folder that holds nothing else of ours), so
// looking a file up searches both.
class ProgramFolder
{
public:
    // The folder of the running program file, with its trailing separator.
    static QString path();
    // Where the program's own files may lie, in search order: the program
    // folder, the data folder of an installation beside it, the system's
    // data folders.
    static QStringList searchFolders();
    // The first existing file of that name in searchFolders(); the program
    // folder's path of that name when there is none, so that callers can
    // test it and show nothing.
    static QString filePath(const QString &name);
    // Whether the program runs from an installation: its data folder exists
    // beside its bin folder. Such a program keeps nothing of its own in the
    // program folder, even where it could write there (as root).
    static bool isInstalled();

    // Same, from a given program folder and install-relative data folder:
    // the part that tests can drive.
    static QStringList searchFolders(const QString &programFolder, const QString &dataFromProgram);
    static QString filePath(const QString &name, const QStringList &folders);
};
