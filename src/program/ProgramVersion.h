#pragma once

#include <QString>

// The version of this build, as the build system states it ("3.2.0").
class ProgramVersion
{
public:
    static QString number();
};
