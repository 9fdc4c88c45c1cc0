#pragma once

#include <QString>

// The bounds within which a field's markup goes to Qt's HTML reader, whose
// time grows with the square of the nesting and by tens of microseconds
// with every tag. Checked in one pass, before the reader sees the field.
class HtmlLimits
{
public:
    // Elements nested deeper lose their tags; their text stays.
    static constexpr int MaxDepth = 64;
    // A longer field, or one with more tags or pictures, is taken as its
    // text alone; each picture costs a relayout of its paragraph.
    static constexpr qsizetype MaxLength = 1'000'000;
    static constexpr int MaxTags = 10'000;
    static constexpr int MaxPictures = 100;

    enum class Outcome {
        Within,   // the field as it is
        TooDeep,  // text: the field without the tags of the elements too deep
        TooLarge, // text: the field's text without markup, lines kept
    };
    struct Result
    {
        Outcome outcome = Outcome::Within;
        QString text;
    };
    static Result check(const QString &html);

    // The text of markup as a plain-text reader would give it: tags left
    // out, line breaks at <br> and at the end of paragraphs, blanks folded,
    // entities decoded; in linear time for any input.
    static QString textOf(QStringView html);
};
