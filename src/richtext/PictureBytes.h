#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;
class QTextImageFormat;

// A face's picture as a file of its own, for formats that carry pictures
// beside the text: a PNG or JPEG with the very bytes the face keeps, any
// other picture (a metafile, a bitmap) as a PNG of what the face shows.
class PictureBytes
{
public:
    struct File
    {
        // Empty when the face holds nothing to show for the picture.
        QByteArray bytes;
        // "png" or "jpg"
        QString suffix;
    };

    // `format` is a picture character's format in `document`, as RtfReader
    // reads them (FacePictures).
    static File of(const QTextDocument &document, const QTextImageFormat &format);
};
