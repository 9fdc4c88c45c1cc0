#pragma once

#include <QString>

// Which commands the main window offers for how many open documents.
class CommandStateRules
{
public:
    // With `closing` set, the window that is about to go still counts as
    // open, so one open document means none.
    static bool documentCommandsEnabled(int openDocuments, bool closing);
    // Toolbar buttons named "ToolButton1" to "ToolButton33" follow the
    // document rule, except open (1) and new (9), which are always usable.
    static bool isRuledToolButton(const QString &objectName);
    static bool isAlwaysEnabledToolButton(const QString &objectName);
};
