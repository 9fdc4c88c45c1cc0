#pragma once

#include "exchange/AnkiByteSink.h"
#include "exchange/AnkiProblem.h"

#include <QByteArray>
#include <QString>

class AnkiUnpackBudget;
struct zip;

// The members of a package's zip, read one at a time, stored or deflated.
// Every byte read is taken from the budget: a member that declares more
// than is left is refused before reading, one that inflates beyond what it
// declared or beyond the budget stops there.
class AnkiZipArchive
{
public:
    AnkiZipArchive() = default;
    ~AnkiZipArchive();
    AnkiZipArchive(const AnkiZipArchive &) = delete;
    AnkiZipArchive &operator=(const AnkiZipArchive &) = delete;

    // NotZip or Unreadable when it is no zip that can be read.
    AnkiProblem open(const QString &path);

    bool contains(const QString &member) const;
    // The member's bytes in order, into the sink.
    AnkiProblem extract(const QString &member, AnkiUnpackBudget &budget, const AnkiByteSink &sink) const;
    // For the small members (meta, the media list), as far as
    // AnkiUnpackBudget::inMemoryLimit.
    AnkiProblem readAll(const QString &member, AnkiUnpackBudget &budget, QByteArray &out) const;

private:
    qint64 indexOf(const QString &member) const;

    zip *m_archive = nullptr;
};
