#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Appends chunks to a card archive kept open for a whole run of appends.
// Every failure raises FileError; the caller decides what happens to the
// partly written container.
class ArchiveWriter
{
public:
    // Opens the container for appending, creating it when missing.
    explicit ArchiveWriter(const QString &containerPath);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter &) = delete;
    ArchiveWriter &operator=(const ArchiveWriter &) = delete;

    // The whole source file as a new last chunk named by its path.
    void appendFile(const QString &sourcePath);
    // Bytes held in memory as a chunk named `name`.
    void appendData(const QString &name, QByteArrayView data);
    // Flushes to stable storage and closes.
    void finish();

    // Tests only: every writer fails once this many bytes have been written
    // in total (a negative value switches the fault off).
    static void setFailAfterBytesForTesting(qint64 bytes);

private:
    void writeHeader(const QString &name, qint64 dataSize);
    void write(const char *data, qint64 size);
    void flushBuffer();

    QFile m_file;
    // Chunks collect here and go to the file in large writes.
    QByteArray m_buffer;
    // Every chunk of a save has the same name: encoded once.
    QString m_lastName;
    QByteArray m_lastNameBytes;
};
