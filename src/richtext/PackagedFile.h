#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QTextCursor;

// A file embedded whole as a packaged object, as "Objekt einfügen" and the
// sounds of Anki packages give it: the form Windows gives files dropped
// into a rich text, an OLE 1 stream of class "Package" in \objdata, shown
// by its result picture, an icon over the file's name. The face keeps the
// object's RTF byte for byte, so the file comes out of it again on Windows.
class PackagedFile
{
public:
    // The packager's native data: signature 2, label, original path, the
    // embedded-file format 3, the temporary path and the file's bytes.
    // Texts in code page 1252.
    static QByteArray nativeData(const QString &label, const QString &path, const QByteArray &bytes);
    // The OLE 1 stream of an embedded "Package" object holding `native`,
    // without a presentation of its own (the RTF's result picture is it).
    static QByteArray oleStream(const QByteArray &native);
    // What the face shows of it.
    static QImage iconPicture(const QString &label);
    // The whole {\object\objemb ...} group.
    static QByteArray objectRtf(const QString &path, const QByteArray &bytes);

    // Inserts the file's `bytes` at the cursor as one object character, as
    // a stored face gives it back. False when the object cannot be made.
    static bool insert(QTextCursor &cursor, const QString &path, const QByteArray &bytes);
};
