#pragma once

#include "RtfTypes.h"

#include <QByteArray>
#include <QImage>

// Writes new pictures as RTF that RichEdit 2.0 and later show: a Windows
// metafile holding one 24-bit DIB in a META_DIBSTRETCHBLT record, as
// RichEdit writes a pasted bitmap. The picture's original file bytes (a
// JPEG is never re-encoded) go before it into {\*\quilloblip ...}, a
// destination other readers skip and RtfParser takes the picture from.
class PictureEncoder
{
public:
    // shownPixels: the size the picture is shown at (96 per inch); the DIB
    // is no larger than that. blip may be empty (no original kept).
    static QByteArray pictureRtf(const QImage &image, QSize shownPixels, QByteArrayView blip, int blipType);
    // A picture whose data is written as it is: \wmetafile8, \emfblip,
    // \pngblip, \jpegblip.
    static QByteArray plainPictRtf(int type, QByteArrayView data, QSize shownPixels, QSize picSize);
    static QByteArray metafileWithDib(const QImage &image);
    static void appendHex(QByteArray &out, QByteArrayView data);
};
