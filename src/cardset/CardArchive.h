#pragma once

#include "cardset/ArchiveReader.h"

#include <QByteArray>
#include <QString>

#include <functional>

// The chunked container of every card set file: chunks one after the other,
// each a length byte, that many name bytes (code page 1252), a 32-bit
// little-endian data size and the data. Chunks are found by position only.
class CardArchive
{
public:
    static constexpr qint64 BlockSize = 40000;

    static void AppendChunk(const QString &containerPath, const QString &sourcePath);
    // A header cut short fails here; a chunk whose data runs past the end of
    // the file is listed and marked (ArchiveReader::cutChunk), and fails when
    // extracted. A missing file gives an empty list.
    static ArchiveReader OpenArchive(const QString &path, ArchiveReader::Content content = ArchiveReader::Content::ListOnly);
    // As Content::WithData, but only the first `kept` chunks are kept: each
    // later one goes to `visit` as the pass reads it, and is not extracted.
    static ArchiveReader OpenArchive(const QString &path, qsizetype kept, const std::function<void(const QByteArray &)> &visit);
    static void ExtractChunk(ArchiveReader &reader, const QString &destinationPath, int chunkNumber);
    // The chunk's data in memory; bounded by what the file really holds.
    static QByteArray ExtractChunkData(ArchiveReader &reader, int chunkNumber);
    static void CloseArchive(ArchiveReader &reader);

    // The stored name bytes for a path: length modulo 256, leading bytes.
    static QByteArray chunkNameBytes(const QString &name);

private:
    static ArchiveReader openArchive(const QString &path, ArchiveReader::Content content, qsizetype kept,
                                     const std::function<void(const QByteArray &)> &visit);
};
