#pragma once

#include <QString>

class QTextCursor;

// "Objekt einfügen": a file of the user's embedded whole as a packaged
// object (see PackagedFile).
class PackageObject
{
public:
    // Inserts the file at the cursor as one object character. False, with
    // a German message, when the file cannot be read.
    static bool insertFile(QTextCursor &cursor, const QString &path, QString *errorMessage);
};
