#pragma once

#include "cardset/CardSetContent.h"

#include <QString>

// Reads a card set of the older 2.5 format: the ".qla" file holds the backs,
// ".qlt" the fronts and ".qli" the settings, all with one base name.
class LegacyCardSetImport
{
public:
    // Reads the three files into `content`. Every card goes into box 1;
    // header colour, margins, header font and the page orientation stay as
    // they are. Failures raise FileError.
    static void ImportLegacyCardSet(CardSetContent &content, const QString &path);

    // The companion file with the given extension (".QLT", ".QLA", ".QLI"),
    // also when its extension is written in other letter case. The upper-case
    // name when no such file exists.
    static QString companionPath(const QString &path, const QString &upperExtension);

    // The footer text of an imported set that has none.
    static QString defaultCopyright();
};
