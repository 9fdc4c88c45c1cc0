#pragma once

#include <QtGlobal>

// Whether a program that left a file behind still runs.
class RunningProcess
{
public:
    static qint64 currentId();
    // True also when the process exists but belongs to someone else, and
    // wherever this cannot be told: a file is only ever removed for a
    // process known to be gone.
    static bool exists(qint64 id);
};
