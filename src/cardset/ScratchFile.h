#pragma once

#include <QString>

// Names of the scratch file through which card set chunks pass.
class ScratchFile
{
public:
    // The first of path's stem + "_1", "_2", ... + extension under which no
    // file exists (temp1.tmp gives temp1_1.tmp, temp1_2.tmp, ...).
    static QString UniqueFileName(const QString &path);

    // A scratch file name in `folder` that belongs to this running program
    // alone: two programs never share one, so their saves cannot mix faces.
    // The name is reserved by creating the file empty. It carries the
    // program's process id ("~qla1234-XXXXXX.tmp"), and the scratch files
    // that ended runs left in the folder are removed first.
    static QString makeWorkFilePath(const QString &folder, const QString &prefix = QStringLiteral("~qla"));

    // Removes the scratch files with this prefix in `folder` whose program
    // no longer runs; returns how many went.
    static int removeLeftovers(const QString &folder, const QString &prefix);

    // Deletes the scratch file; when it cannot be deleted, moves the path
    // on to a free name for the rest of the run. Never fails.
    static void clear(QString &workFilePath);
};
