#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QTextCursor;
class QTextDocument;
class QTextFormat;

// Pictures and embedded objects inside a face's QTextDocument.
//
// Each is one U+FFFC character with a QTextImageFormat whose name is an
// image resource of the document (QTextDocument::addResource) holding the
// decoded picture, whose width and height are the shown size in pixels
// (96 per inch), and whose property RtfFormatProperties::PictureOriginal
// holds the RTF it came from. RtfWriter writes that RTF back byte for
// byte (a PNG or JPEG inside {\*\quillopict ...} with a metafile beside it,
// see PictureEncoder), so copying the character (with its format) within
// or between documents keeps the picture; an HTML round trip (Qt's own
// clipboard format) loses the property, and the picture is then written
// as a new PNG. The resource names are unique across all documents of the
// process, so a picture copied into another document does not collide
// with its pictures; copyResources brings the images along.
class FacePictures
{
public:
    static QString newResourceName();
    // Inserts a picture at the cursor.
    static void insert(QTextCursor &cursor, const QImage &image, QSizeF shownPixels, const QByteArray &originalRtf);

    // "Bild einfügen": inserts the picture in a file's bytes. JPEG and PNG
    // keep their bytes; BMP, GIF, ICO and the other formats Qt reads are
    // kept as PNG; WMF and EMF are embedded as they are. maxWidth (pixels,
    // 0 = no limit) scales a wider picture down for showing. On failure
    // nothing is inserted and errorMessage gets a German message.
    static bool insertFile(QTextCursor &cursor, const QByteArray &fileBytes, const QString &fileName, qreal maxWidth,
                           QString *errorMessage);
    // Filter of the picture dialog ("Bild einfügen").
    static QString fileDialogFilter();

    // The original RTF of a picture character's format; empty if none.
    static QByteArray originalRtf(const QTextFormat &format);
    // After pictures were copied from one document into another (a
    // QTextDocumentFragment, a paste of RTF read into a scratch document):
    // gives "to" the image resources of its pictures that "from" holds.
    static void copyResources(const QTextDocument &from, QTextDocument &to);
};
