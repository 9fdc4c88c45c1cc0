#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QStringList>

#include <memory>

// The state of an open card archive: the file and the chunk list, read once.
class ArchiveReader
{
public:
    // What opening reads: the chunk list alone, or every chunk's data too in
    // the same pass (a whole load, without a second walk through the file).
    enum class Content { ListOnly, WithData };

    QStringList NameList;
    // Data offset and declared size of each chunk; same length as NameList.
    QList<qint64> OffsetList;
    QList<qint32> SizeList;

    bool isOpen() const { return m_file && m_file->isOpen(); }
    qsizetype chunkCount() const { return OffsetList.size(); }
    // The chunk whose declared data runs past the end of the file (a cut
    // file; only the last chunk can), or -1.
    qsizetype cutChunk() const { return m_cutChunk; }

private:
    friend class CardArchive;
    std::unique_ptr<QFile> m_file;
    qint64 m_fileSize = 0;
    qsizetype m_cutChunk = -1;
    // With Content::WithData, every whole chunk's bytes.
    QList<QByteArray> m_data;
};
