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
// from (as hex: Wine's RichEdit and pandoc mistake raw \bin data there for
// text); beside it a Windows metafile holding one DIB in a
// META_DIBSTRETCHBLT record, as RichEdit writes a pasted bitmap. That DIB
// only stands in for the original, so it is small: 8 bits with a palette
// of the picture's colours, run-length coded where that pays, with as
// many pixels as a fifth of the original's RTF allows (at least
// MinFallbackBytes, at most the shown size), stretched by the reader to
// the shown size. A face with a photo so stays below three times the
// photo's file.
class PictureEncoder
{
public:
    // Whether RichEdit 2.0/3.0 would show nothing of this picture RTF.
    static bool needsFallback(QByteArrayView originalRtf);
    // The original wrapped, with a metafile of the image beside it.
    // shownPixels: the size the picture is shown at (96 per inch).
    static QByteArray withFallback(QByteArrayView originalRtf, const QImage &image, QSize shownPixels);
    static constexpr qsizetype MinFallbackBytes = 4096;
    // {\pict\wmetafile8 ...} holding the image as a 24-bit DIB of at most shownPixels.
    static QByteArray metafilePict(const QImage &image, QSize shownPixels);
    // The same with an 8-bit DIB of as many pixels as fit in maxBytes of
    // metafile (at least a pixel), shown at shownPixels.
    static QByteArray compactMetafilePict(const QImage &image, QSize shownPixels, qsizetype maxBytes);
    // A picture whose data is written as it is: \wmetafile8, \emfblip,
    // \pngblip, \jpegblip.
    static QByteArray plainPictRtf(int type, QByteArrayView data, QSize shownPixels, QSize picSize);
    static QByteArray metafileWithDib(const QImage &image);
    static void appendHex(QByteArray &out, QByteArrayView data);
};
