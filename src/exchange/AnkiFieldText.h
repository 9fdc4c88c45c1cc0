#pragma once

#include <QString>

// What Anki makes of a note's first field to sort the notes by and to find
// duplicates: the text without markup, where every <img> leaves its file
// name between two spaces, and with the entities decoded (a no-break space
// as a space). The checksum is the first four bytes, big-endian, of the
// SHA-1 of that text in UTF-8. Notes whose checksum differs from Anki's are
// not found as duplicates.
class AnkiFieldText
{
public:
    static QString stripped(QStringView html);
    static quint32 checksum(QStringView html);
};
