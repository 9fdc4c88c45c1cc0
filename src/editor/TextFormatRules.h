#pragma once

#include "cardset/FontRecord.h"

#include <QColor>
#include <QTextCharFormat>

class QTextCursor;

// The formatting rules of the toolbar, apart from the windows: which
// attributes a command reads, and what a toggle or a button's tag means.
class TextFormatRules
{
public:
    enum class Style { Bold, Italic, Underline };

    // The attributes the toolbar shows and the toggles read: those of the
    // selection's first character, or with nothing selected those at the
    // caret (including a format set there for the next typing).
    static QTextCharFormat selectionAttributes(const QTextCursor &cursor);

    static bool hasStyle(const QTextCharFormat &format, Style style);
    // The change that turns the style on when `format` lacks it, else off.
    static QTextCharFormat toggled(const QTextCharFormat &format, Style style);
    static void toggle(FontRecord &font, Style style);

    // Bullets are drawn in their paragraph mark's font: the marks of the
    // bulleted paragraphs that the cursor's selection touches take the
    // size and family of their first character (of the typing format in
    // an empty paragraph), so that a bullet grows with its line's text.
    static void matchBulletsToText(const QTextCursor &cursor);

    // Alignment buttons: tag 0 left, 1 right, 2 centred.
    static Qt::Alignment alignmentForTag(int tag);

    // The font record of a character format, as "Als Standardfont" keeps
    // it; what the format leaves open comes from `base` (the editor's
    // font), and no colour of its own is the automatic text colour.
    static FontRecord fontRecord(const QTextCharFormat &format, const QFont &base);
    // The font a character is shown in.
    static QFont shownFont(const QTextCharFormat &format, const QFont &base);
};
