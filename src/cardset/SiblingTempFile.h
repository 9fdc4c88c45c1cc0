#pragma once

#include <QString>

// A new file beside a save's target, filled completely and then put in the
// target's place in one step: the target is always the whole old or the
// whole new file. The name says whose it is, "NAME.quillo-PID-XXXXXXXX.tmp",
// and the file stays locked while this object lives, so that what a killed
// run left can be told from a file that another program is still writing.
class SiblingTempFile
{
public:
    // Creates the file empty, with the permissions a new file gets; throws
    // FileError when that is not possible.
    explicit SiblingTempFile(const QString &target);
    // Removes the file unless it has replaced the target.
    ~SiblingTempFile();
    SiblingTempFile(const SiblingTempFile &) = delete;
    SiblingTempFile &operator=(const SiblingTempFile &) = delete;

    const QString &path() const { return m_path; }
    // The file's open handle (read and write) on Unix; -1 elsewhere.
    int handle() const;
    // Gives the file the target's permissions, renames it over the target
    // and, when `durable`, makes the rename itself durable; throws FileError.
    void replaceTarget(bool durable = true);

    // The file a save to `path` replaces: a symbolic link is followed to the
    // file it names, so that the link stays a link, also when that file does
    // not exist yet. Throws FileError for a loop of links.
    static QString resolveTarget(const QString &path);
    // Removes the temporary files beside `target` that runs which ended
    // without finishing left; never one whose writer may still run. Returns
    // how many went.
    static int removeLeftovers(const QString &target);
    // Whether `fileName` is one of our temporary files for `targetFileName`,
    // and the writer's process id.
    static bool isTempFileOf(const QString &fileName, const QString &targetFileName, qint64 *writer = nullptr);

private:
    QString m_target;
    QString m_path;
    int m_lock = -1;
    bool m_replaced = false;
};
