#pragma once

#include <QImage>

// Reduces an image to at most 256 colours for an 8-bit bitmap. An image
// with that few colours keeps them exactly; any other gets a palette by
// median cut over its colours (5 bits a channel), without dithering, so
// that flat areas stay runs a run-length coding can shorten.
class ColorQuantizer
{
public:
    // An opaque image in QImage::Format_Indexed8; transparent parts are
    // laid over white, as on a face.
    static QImage toIndexed8(const QImage &image);
};
