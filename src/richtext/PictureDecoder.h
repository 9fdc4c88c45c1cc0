#pragma once

#include "richtext/RtfTypes.h"

#include <QByteArrayView>
#include <QImage>
#include <QSizeF>

// Turns the data of an RTF picture into an image: PNG and JPEG through
// Qt's image plugins, DIBs as BMP, metafiles by the bitmap they draw (a
// pasted bitmap is a metafile around one DIB). What cannot be decoded (a
// vector-only metafile) gets a framed placeholder of its size.
class PictureDecoder
{
public:
    struct Result
    {
        QImage image;
        QSizeF size; // shown size in pixels at 96 per inch
        bool placeholder = false;
    };
    // pixelBudget: pixels the decoded images of a document may still take;
    // the picture's pixels are taken from it. Beyond it pictures get small
    // placeholders, so that no input makes memory grow beyond bounds.
    static Result decode(const RtfPictureData &picture, qint64 &pixelBudget);
    static constexpr qint64 DocumentPixelBudget = 64 * 1024 * 1024;

    // The image in the data of one picture type; null when not decodable
    // or larger than maxPixels.
    static QImage decodeData(int type, QByteArrayView data, qint64 maxPixels = qint64(MaxSide) * MaxSide);
    // A packed DIB (header, colour table, pixels) as an image.
    static QImage fromDib(QByteArrayView dib, qint64 maxPixels = qint64(MaxSide) * MaxSide);
    // The DIB a metafile draws; the deepest one when it draws several
    // (a 1-bit mask, then the picture). Empty when it draws none.
    static QByteArray dibFromWmf(QByteArrayView wmf);
    static QByteArray dibFromEmf(QByteArrayView emf);
    // Shown size in twips as \picwgoal/\picscalex and the rest say.
    static QSize shownTwips(const RtfPictureData &picture, QSize imageSize);
    // A white picture with a grey frame, at most 200 pixels a side (it is
    // shown scaled to the picture's size).
    static QImage placeholder(QSize pixels);

    // Images larger than this (pixels per side) are not decoded.
    static constexpr int MaxSide = 20000;
};
