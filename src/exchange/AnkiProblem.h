#pragma once

#include <QString>

// What stops an Anki package from being read or converted, or what a card
// lost on the way. The reader and converter name it; windows and quillo-cli
// word it in German.
struct AnkiProblem
{
    enum class Kind {
        None,
        Unreadable,         // the file could not be read; detail: the system's reason
        NotZip,             // not a zip archive
        NoCollection,       // a zip without a collection
        DamagedDatabase,    // the collection is no SQLite file or a table is damaged; detail: the library's reason
        UnknownVersion,     // a layout or schema version not known; detail: the version
        MissingMedia,       // the media map names a member that is missing; detail: the member
        UnsafeMediaName,    // a media name with a path, ".." or an absolute path; detail: the name
        TooLarge,           // unpacked beyond the sane limit (a zip or zstd bomb); detail: the member
        FieldCountMismatch, // a note's field count differs from its note type's; note: the note
        UnknownField,       // a template names a field the note type lacks; detail: the field
        UnknownNoteType,    // a note names a note type the package lacks; note: the note
        NoCards,            // nothing to import (or the deck chosen holds no card); detail: the deck
        UnknownDeck,        // the deck asked for is not in the package; detail: its name
        // Warnings: the set is still made.
        MissingPicture,    // a picture a field names is not in the package; detail: its name
        UnreadablePicture, // a picture file that is no picture; detail: its name
        Sound,             // sound references kept as package objects
        MathJax,           // MathJax kept as its text
        Script,            // scripts left out
        MissingSound,      // a sound a field names is not in the package; detail: its name
        PictureTooLarge,   // a picture beyond what a face holds; detail: its name
        FieldCutDown,      // markup beyond HtmlLimits, taken as text from some depth on or wholly
    };

    Kind kind = Kind::None;
    QString detail;
    // The note a problem is in, 0 when none is meant.
    qint64 note = 0;

    bool isWarning() const { return kind >= Kind::MissingPicture; }
    bool operator==(const AnkiProblem &) const = default;
};
