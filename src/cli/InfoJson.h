#pragma once

#include "cardset/CardSet.h"
#include "cardset/CardSetFile.h"
#include "cli/FaceHashes.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

// What `quillo-cli info` prints: every member of a set as Qt's indented
// JSON of one object would show it, handed out piece by piece, so that a
// set of a million cards needs no JSON document beside it in memory.
class InfoJson
{
public:
    // `faces`: the set's faces as its load handed them out (every front,
    // then every back), or none when the set holds them itself.
    static void write(const CardSet &set, const QString &errorLine, PageOrientation orientation, FaceHashes &faces,
                      const std::function<void(QByteArrayView)> &sink);
};
