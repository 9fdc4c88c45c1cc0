#pragma once

#include "cardset/FileResult.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

class QIODevice;
class SiblingTempFile;

// The one way Quillo writes a file. Everything goes into a new file beside
// the target; every write, the flush and the sync are checked, and only when
// all succeeded does the new file take the target's place. Otherwise the
// target stays as it was, nothing is left beside it, and result() holds the
// system's reason. A symbolic link as the target is followed, also one that
// names no file yet, so that the link stays a link; a loop of links fails.
class CheckedFileWriter
{
public:
    enum class Fallback {
        None,
        // When the folder takes no new file but the target itself may be
        // written, it is rewritten in place: still checked, but no longer
        // all or nothing. For the settings of a program in a locked folder.
        InPlace,
    };

    explicit CheckedFileWriter(const QString &path, Fallback fallback = Fallback::None);
    ~CheckedFileWriter();
    CheckedFileWriter(const CheckedFileWriter &) = delete;
    CheckedFileWriter &operator=(const CheckedFileWriter &) = delete;

    // For a file that is removed again before the program ends, as a
    // package's unpacked members: writes and the flush stay checked, but
    // nothing waits for the disk.
    void setScratch() { m_scratch = true; }

    // The file replaced in the end: the path with its links followed.
    const QString &target() const { return m_target; }
    // Done, or the first failure.
    const FileResult &result() const { return m_result; }
    bool ok() const { return m_result.ok(); }

    // Appends; false once anything failed.
    bool write(QByteArrayView data);
    // write() as an open device, for writers that take one (QPdfWriter),
    // which do not report failed writes themselves.
    QIODevice *device();
    // The file being written: beside the target, or the target itself when
    // written in place.
    QString filePath() const;
    // filePath() for a writer that opens the file by name itself (a
    // printer). Its writes pass no check here: the caller checks what it
    // wrote and calls failIncomplete() when it is not whole.
    QString pathForOtherWriter();
    // Fails with the system's reason, found by trying to add to the file,
    // or, when that works, as a file not completely written.
    void failIncomplete();
    // The caller's own failure: nothing is committed.
    void fail(const QString &reason, int systemError = 0);

    // Flushes and syncs, keeping the file beside the target: the first half
    // of commit(), for outputs whose files replace their targets together.
    FileResult finish();
    // finish(), then the target replaced.
    FileResult commit();

    static FileResult writeFile(const QString &path, QByteArrayView bytes, Fallback fallback = Fallback::None);
    // Finishes every file, then replaces the targets only when all are
    // ready: a failure before that leaves every old file as it was.
    static FileResult commitAll(const QList<CheckedFileWriter *> &writers);

    // Tests only: every write fails as on a full disk once this many bytes
    // have been written in total; a negative value switches that off.
    static void setFailAfterBytesForTesting(qint64 bytes);

private:
    bool failWithSystemError(int error);
    bool flushBuffer();

    QString m_target;
    std::unique_ptr<SiblingTempFile> m_temporary;
    std::unique_ptr<QIODevice> m_device;
    int m_handle = -1;
    bool m_inPlace = false;
    bool m_scratch = false;
    bool m_otherWriter = false;
    bool m_finished = false;
    bool m_committed = false;
    QByteArray m_buffer;
    qint64 m_written = 0;
    FileResult m_result;
};
