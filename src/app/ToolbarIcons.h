#pragma once

#include <QIcon>
#include <QString>

// The toolbar pictures, drawn by the program itself so that they are crisp
// at any scale and need no files.
class ToolbarIcons
{
public:
    // Known names: new, open, save, newcard, deletecard, print, cut, copy,
    // paste, cascade, tileh, tilev, bold, underline, italic, textcolor,
    // backcolor, alignleft, aligncenter, alignright, picture, object,
    // numbering, undo, redo. Others give an empty icon.
    static QIcon icon(const QString &name, const QColor &swatch = QColor());
};
