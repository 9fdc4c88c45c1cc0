#pragma once

#include "cardset/CardSet.h"
#include "cardset/CardSetFile.h"

#include <QString>

// Reads a card set of the older 2.5 format: the ".qla" file holds the backs,
// ".qlt" the fronts and ".qli" the settings, all with one base name.
class LegacyCardSetImport
{
public:
    // Fills a set whose card lists are empty. Every card goes into box 1;
    // header colour, margins, header font and the page orientation stay as
    // they are. Failures raise FileError.
    static void ImportLegacyCardSet(CardSet &set, const QString &path, CardSetFileContext &context);

    // The companion file with the given extension (".QLT", ".QLA", ".QLI"),
    // also when its extension is written in other letter case. The upper-case
    // name when no such file exists.
    static QString companionPath(const QString &path, const QString &upperExtension);

    static QString defaultCopyright();
    static QString importedMessage();
};
