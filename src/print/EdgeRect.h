#pragma once

#include <QRect>

// A rectangle of a card sheet by its four edges in printer pixels. Right and
// bottom are the first pixel outside, so neighbouring cells share an edge
// value and the width is right - left.
struct EdgeRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    // The pixels it covers; empty when it has no width or height.
    QRect toQRect() const { return isEmpty() ? QRect() : QRect(left, top, right - left, bottom - top); }
    // The part inside `outer`; empty (and no wider than it) when they do not meet.
    EdgeRect intersected(const EdgeRect &outer) const;

    bool operator==(const EdgeRect &) const = default;
};

inline EdgeRect EdgeRect::intersected(const EdgeRect &outer) const
{
    EdgeRect r{qMax(left, outer.left), qMax(top, outer.top), qMin(right, outer.right), qMin(bottom, outer.bottom)};
    r.right = qMax(r.left, r.right);
    r.bottom = qMax(r.top, r.bottom);
    return r;
}
