#pragma once

#include "RtfTypes.h"

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
    static Result decode(const RtfPictureData &picture);

    // The image in the data of one picture type; null when not decodable.
    static QImage decodeData(int type, QByteArrayView data);
    // A packed DIB (header, colour table, pixels) as an image.
    static QImage fromDib(QByteArrayView dib);
    // The DIB a metafile draws; the deepest one when it draws several
    // (a 1-bit mask, then the picture). Empty when it draws none.
    static QByteArray dibFromWmf(QByteArrayView wmf);
    static QByteArray dibFromEmf(QByteArrayView emf);
    // Shown size in twips as \picwgoal/\picscalex and the rest say.
    static QSize shownTwips(const RtfPictureData &picture, QSize imageSize);
    static QImage placeholder(QSize pixels);

    // Images larger than this (pixels per side) are not decoded.
    static constexpr int MaxSide = 20000;
};
