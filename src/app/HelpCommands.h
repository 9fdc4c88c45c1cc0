#pragma once

#include <QString>

// The Help menu's manual: "Anleitung.PDF" of the program folder, opened
// with the desktop's viewer for PDF files.
class HelpCommands
{
public:
    static QString manualName() { return QStringLiteral("Anleitung.PDF"); }
    static QString manualPath();
    // Nothing is reported when no viewer opens it; the result is for tests.
    static bool openManual();
};
