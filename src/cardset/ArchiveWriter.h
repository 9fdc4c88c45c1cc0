#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

class CheckedFileWriter;

// Appends chunks to a card archive kept open for a whole run of appends.
// Every failure raises FileError; the caller decides what happens to the
// partly written container.
class ArchiveWriter
{
public:
    // Opens the container for appending, creating it when missing.
    explicit ArchiveWriter(const QString &containerPath);
    // Writes a new container into `output`, which the caller commits.
    explicit ArchiveWriter(CheckedFileWriter &output);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter &) = delete;
    ArchiveWriter &operator=(const ArchiveWriter &) = delete;

    // The whole source file as a new last chunk named by its path.
    void appendFile(const QString &sourcePath);
    // Bytes held in memory as a chunk named `name`.
    void appendData(const QString &name, QByteArrayView data);
    // Flushes to stable storage and closes; into an output, only flushes.
    void finish();

private:
    void writeHeader(const QString &name, qint64 dataSize);
    void write(const char *data, qint64 size);
    void flushBuffer();

    QFile m_file;
    CheckedFileWriter *m_output = nullptr;
    // Chunks collect here and go to the file in large writes.
    QByteArray m_buffer;
    // Every chunk of a save has the same name: encoded once.
    QString m_lastName;
    QByteArray m_lastNameBytes;
};
