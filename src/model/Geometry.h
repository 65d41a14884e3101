#pragma once

#include <QtGlobal>

// A rectangle of the layout in tenths of a millimetre: origin at the top-left corner of
// the paper, y growing upwards, so top >= bottom for every well-formed rectangle.
struct Rect
{
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;

    qint64 width() const { return qint64(right) - left; }
    qint64 height() const { return qint64(top) - bottom; }
    friend bool operator==(const Rect& a, const Rect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

struct Point
{
    qint32 x = 0;
    qint32 y = 0;

    friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(const Point& a, const Point& b) { return !(a == b); }
};
