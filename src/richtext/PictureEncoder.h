#pragma once

#include "richtext/RtfTypes.h"

#include <QByteArray>
#include <QImage>

// Writes pictures as RTF that RichEdit 2.0 and 3.0, which show only
// metafiles and bitmaps, show too. A picture they cannot show (PNG, JPEG,
// Word's \shppict pair led by one of them) is written as
//   {\*\quillopict ORIGINAL}{\pict\wmetafile8 ...}
// The original RTF, a JPEG never re-encoded, sits in a destination of
// Quillo's own that other readers skip and RtfParser takes the picture
// from; beside it a Windows metafile holding one 24-bit DIB in a
// META_DIBSTRETCHBLT record, as RichEdit writes a pasted bitmap, no larger
// than the shown size.
class PictureEncoder
{
public:
    // Whether RichEdit 2.0/3.0 would show nothing of this picture RTF.
    static bool needsFallback(QByteArrayView originalRtf);
    // The original wrapped, with a metafile of the image beside it.
    // shownPixels: the size the picture is shown at (96 per inch).
    static QByteArray withFallback(QByteArrayView originalRtf, const QImage &image, QSize shownPixels);
    // {\pict\wmetafile8 ...} holding the image as a DIB of at most shownPixels.
    static QByteArray metafilePict(const QImage &image, QSize shownPixels);
    // A picture whose data is written as it is: \wmetafile8, \emfblip,
    // \pngblip, \jpegblip.
    static QByteArray plainPictRtf(int type, QByteArrayView data, QSize shownPixels, QSize picSize);
    static QByteArray metafileWithDib(const QImage &image);
    static void appendHex(QByteArray &out, QByteArrayView data);
};
