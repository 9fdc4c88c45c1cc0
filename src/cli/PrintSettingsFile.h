#pragma once

#include "program/ProgramSettings.h"

#include <QString>

// The program-wide print settings (calibration, cut width, feed order) from
// the settings file the program itself uses, read without writing: the
// command line never changes the program's settings.
class PrintSettingsFile
{
public:
    // Where the program keeps its settings, also from a build tree, where
    // the program lies in a folder of its own.
    static QString programSettingsPath();

    // The defaults where the file or a key is missing.
    static ProgramSettings read(const QString &path);
};
