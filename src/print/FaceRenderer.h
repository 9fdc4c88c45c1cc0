#pragma once

#include <QRect>

class QPainter;
class QTextDocument;

// Draws a face into a rectangle of a device, as printing a card needs: the
// text is laid out for the device itself (its resolution, wrapping at the
// rectangle's width), starts with the first character and stops at the
// last line that fits completely; the rest is not drawn.
class FaceRenderer
{
public:
    // rect: device pixels of the painter's device. Returns the number of
    // characters drawn.
    static int drawInRect(const QTextDocument &face, QPainter &painter, const QRect &rect);
    // The same rectangle from printer pixels to twips, as RichEdit's
    // print request takes it (integer division).
    static QRect toTwips(const QRect &pixels, int dpiX, int dpiY);
};
