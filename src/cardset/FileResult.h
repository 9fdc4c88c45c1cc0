#pragma once

#include <QString>

// What a save, load or export of a file came to: the outcome, the step the
// operation had reached (the set's ErrorLine, "1" to "20") and the
// platform's reason for a failure. The file layer words no message; the
// windows and quillo-cli do.
struct FileResult
{
    enum class Outcome {
        Done,
        WrongExtension,       // a load of a file that is no card set; nothing read
        FileMissing,          // a load of a file that does not exist; nothing read
        TargetNotReplaceable, // a save over a file that may not be replaced; nothing written
        Failed,               // a file or container step failed at ErrorLine
    };

    Outcome outcome = Outcome::Done;
    QString ErrorLine;
    QString reason;
    // The system's error number behind `reason` (errno), 0 when none.
    int systemError = 0;

    bool ok() const { return outcome == Outcome::Done; }
    static FileResult failed(const QString &errorLine, const QString &reason, int systemError = 0)
    {
        return {Outcome::Failed, errorLine, reason, systemError};
    }
};
