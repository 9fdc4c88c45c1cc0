#pragma once

#include "exchange/AnkiCollection.h"
#include "exchange/AnkiProblem.h"

#include <QString>

#include <memory>

// Reads an Anki package (.apkg) of any layout a user meets: legacy 1
// (collection.anki2), legacy 2 (collection.anki21) and the current one
// (meta, zstd-compressed collection.anki21b of schema 18). Only reads the
// package; the media go into a temporary folder the collection owns.
class AnkiPackageReader
{
public:
    struct Result
    {
        // Null after a failure.
        std::unique_ptr<AnkiCollection> collection;
        // Kind::None on success.
        AnkiProblem problem;
    };

    static Result read(const QString &path);
    // read() with a limit of its own on the bytes unpacked in all, instead
    // of the one for the package's size: for the tests of that limit.
    static Result read(const QString &path, qint64 unpackLimit);
};
