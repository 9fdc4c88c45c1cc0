#pragma once

#include <QString>

// Makes ".ql3" files open in the running program from the file manager.
// On a freedesktop system: a MIME type with the comment "Quillo-Datei" in
// the user's shared-mime-info folder and a desktop entry that starts this
// program file with the chosen file; on Windows the same through the
// user's file classes in the registry. Written at every start, whatever was
// there before; a failure never stops start-up.
class FileAssociation
{
public:
    static QString mimeType() { return QStringLiteral("application/x-quillo"); }
    static QString typeName() { return QStringLiteral("Quillo-Datei"); }
    static QString desktopFileName() { return QStringLiteral("quillo.desktop"); }
    static QString mimeFileName() { return QStringLiteral("quillo.xml"); }

    struct Outcome
    {
        bool written = false; // both files are in place as wanted
        bool changed = false; // at least one of them had other contents
    };

    // Writes the association for `programPath` into the data folder
    // `dataHome` (XDG_DATA_HOME or its default) and, when anything changed,
    // asks the desktop's tools to refresh their caches in the background,
    // when those tools exist.
    static Outcome write(const QString &programPath, const QString &iconPath, const QString &dataHome, bool refreshCaches = true);
    // The same for the running program, its icon and the user's data folder.
    static Outcome writeForRunningProgram();

    static QByteArray mimeDefinition();
    static QByteArray desktopEntry(const QString &programPath, const QString &iconPath);
    // One argument of an Exec line: quoted where needed, escaped as a
    // desktop entry's string value.
    static QString execArgument(const QString &path);
};
