#pragma once

#include "exchange/AnkiProblem.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

// Which zip member holds which media file. The legacy layouts list them as
// JSON ({"0": "haus.jpg", ...}); the current one as protobuf MediaEntries,
// the n-th entry in the member "n" unless it names another.
class AnkiMediaMap
{
public:
    struct Entry
    {
        QString member;
        QString name;
    };

    // An unsafe name refuses the whole map (UnsafeMediaName); a map that
    // cannot be parsed is Unreadable (detail: the parser's reason).
    static AnkiProblem fromJson(QByteArrayView json, QList<Entry> &entries);
    static AnkiProblem fromProtobuf(QByteArrayView message, QList<Entry> &entries);

    // A bare file name: no folder, no "." or "..", no drive, no NUL or
    // other control character, not empty.
    static bool isSafeName(const QString &name);

private:
    static AnkiProblem checkNames(const QList<Entry> &entries);
};
