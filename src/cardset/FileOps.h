#pragma once

#include <QString>

// File system steps that never fail an operation: their errors are ignored
// by design, so callers check the outcome where it matters.
class FileOps
{
public:
    // The counterpart of resetting a file's attributes to "archive" alone:
    // the owner may write it again. A missing file is no error.
    static void makeWritable(const QString &path);
    static bool removeQuietly(const QString &path);
    static bool exists(const QString &path);
    // Whether an existing file may be replaced: not marked read-only, and we
    // have the rights on it and on its folder.
    static bool canReplace(const QString &path);
    // Flushes a file's data to stable storage; false when that failed.
    static bool syncToDisk(int fileHandle);
};
