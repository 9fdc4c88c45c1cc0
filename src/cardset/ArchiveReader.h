#pragma once

#include <QFile>
#include <QList>
#include <QStringList>

#include <memory>

// The state of an open card archive: the file and the chunk list, read once.
class ArchiveReader
{
public:
    QStringList NameList;
    // Data offset of each chunk; same length as NameList.
    QList<qint64> OffsetList;

    bool isOpen() const { return m_file && m_file->isOpen(); }
    qsizetype chunkCount() const { return OffsetList.size(); }

private:
    friend class CardArchive;
    std::unique_ptr<QFile> m_file;
    qint64 m_fileSize = 0;
};
