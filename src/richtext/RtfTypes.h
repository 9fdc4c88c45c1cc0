#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Plain data passed from RtfParser to its sinks.

// Character formatting in force for a run of text.
struct RtfCharState
{
    enum Flag : quint16 {
        Bold = 1,
        Italic = 2,
        Underline = 4,
        Strike = 8,
        Super = 16,
        Sub = 32,
    };
    int font = 0;        // font number (\f)
    int halfPoints = 24; // \fs
    int foreground = 0;  // colour table index, 0 = automatic
    int background = 0;  // colour table index, 0 = none
    int field = 0;       // the field (RtfParser::fieldInstruction) whose result this is, 0 = none
    quint16 flags = 0;
    // with Underline: the kind of line
    enum UnderlineKind : quint8 { Single, Dotted, Double, Words, Thick, Wave, Dash, DashDot, DashDotDot };
    quint8 underline = Single;
    bool operator==(const RtfCharState &) const = default;
};

struct RtfTabStop
{
    enum Kind { Left, Center, Right, Decimal };
    int position = 0; // twips
    int kind = Left;
    bool operator==(const RtfTabStop &) const = default;
};

// Legacy paragraph numbering ({\*\pn ...}).
struct RtfNumbering
{
    enum Kind { None, Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };
    int kind = None;
    int start = 1;
    QString textBefore; // \pntxtb
    QString textAfter;  // \pntxta
    bool operator==(const RtfNumbering &) const = default;
};

// Paragraph formatting; lengths in twips.
struct RtfParaState
{
    enum Align { Left, Center, Right, Justify };
    int align = Left;
    int leftIndent = 0;        // \li
    int rightIndent = 0;       // \ri
    int firstLineIndent = 0;   // \fi, relative to \li
    int spaceBefore = 0;       // \sb
    int spaceAfter = 0;        // \sa
    int lineSpacing = 0;       // \sl, 0 = single
    bool lineMultiple = false; // \slmult1
    QList<RtfTabStop> tabs;
    RtfNumbering numbering;
    bool inTable = false; // \intbl: a paragraph of a table cell
    bool operator==(const RtfParaState &) const = default;
};

// A table row as \trowd and the words after it define it.
struct RtfRowState
{
    QList<int> cellRight; // \cellx: each cell's right edge in twips
    int gap = 0;          // \trgaph: half the space between two cells' text
    bool borders = false; // a cell or row border is drawn
};

struct RtfFont
{
    QString name;
    int charset = -1; // -1: not given
    int codePage = 1252;
};

// One picture or embedded object as read: the decoded picture data and
// the original RTF bytes that are written back unchanged.
struct RtfPictureData
{
    enum Type { Unknown, Png, Jpeg, Wmf, Emf, Dib, Ddb };
    int type = Unknown;
    int picw = 0, pich = 0;         // \picw \pich: pixels, HIMETRIC for metafiles
    int goalw = 0, goalh = 0;       // \picwgoal \pichgoal: twips
    int scalex = 100, scaley = 100; // \picscalex \picscaley: percent
    QByteArray data;                // the picture's binary data
    bool isObject = false;          // an \object whose result picture this is
    int objw = 0, objh = 0;         // \objw \objh: twips
    int objscalex = 100, objscaley = 100;
    QByteArray original; // the whole RTF group(s), byte for byte
};
