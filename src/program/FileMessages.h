#pragma once

#include "exchange/CsvProblem.h"

#include "cardset/FileResult.h"

#include <QList>
#include <QString>

// The user's words for what a save, load or export came to, for the
// windows and for quillo-cli alike. A line break is the single character CR.
class FileMessages
{
public:
    // "Speichern" names the step reached; "Speichern unter" does not.
    enum class SaveCommand { Save, SaveAs };

    // The message for a save that did not complete; `fileName` is the path
    // saved to.
    static QString forSave(const FileResult &result, const QString &fileName, SaveCommand command);
    // The message for a load that did not complete.
    static QString forLoad(const FileResult &result, const QString &path);

    static QString messageM1(const QString &fileName);
    static QString messageM3(const QString &path);
    static QString fileMissingMessage(const QString &path);
    static QString saveFailedMessage(const QString &errorLine);
    static QString saveAsFailedMessage();
    static QString loadFailedMessage();
    static QString loadFailedMessageWithCode(const QString &errorLine);
    // The caption of a window whose load failed.
    static QString loadFailedCaption();
    static QString legacyImportedMessage();
    static QString pageNotWritten(const QString &path);
    // The system's reason for a failure, a full disk in words of our own.
    static QString reason(const FileResult &result);
    // quillo-cli's message for a file it could not write: the file and the
    // reason, without the window's hints.
    static QString notWrittenOnCommandLine(const FileResult &result, const QString &path);

    // A word list: what is wrong with it, naming the line.
    static QString forImport(const CsvProblem &problem);
    // A picture file that is refused before it is read ("Bild einfügen",
    // the pictures of a word list); `name` as the user named it.
    static QString pictureTooLargeMessage(const QString &name);
    // The message for a word list from which no set was made.
    static QString importFailedMessage(const CsvProblem &problem, const QString &path);
    // The pictures that did not come along with the cards, and the fields
    // whose markup was cut down.
    static QString importPicturesMessage(const QList<CsvProblem> &problems);
    static QString exportedInUtf8Message();
};
