#pragma once

#include <QString>

// What stops a word list from being read, or what a card lost on the way
// in. The reader names the line; the windows and quillo-cli word it.
struct CsvProblem
{
    enum class Kind {
        Unreadable,        // the file could not be read; detail: the system's reason
        Empty,             // no card in the file
        NotText,           // null characters: no text file
        Undecodable,       // bytes the chosen encoding cannot decode; detail: its name
        UnclosedQuote,     // a quoted field that never ends
        TooFewFields,      // a record with one field only
        MissingPicture,    // a picture the field names is not there; detail: its name
        UnreadablePicture, // a picture file that is no picture; detail: its name
        PictureTooLarge,   // a picture beyond what a face holds; detail: its name
        FieldTooLarge,     // HTML beyond HtmlLimits' size: taken as its text
        FieldTooDeep,      // HTML nested beyond HtmlLimits' depth: the deeper part as its text
    };
    // The field of a card a problem is in.
    enum class Side { None, Front, Back };

    Kind kind = Kind::Empty;
    // The line of the file, from 1; 0 when no line is meant.
    int line = 0;
    QString detail;
    Side side = Side::None;

    bool operator==(const CsvProblem &) const = default;
};
