#pragma once

#include <QtGlobal>

#include <climits>
#include <cmath>

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

// Coordinates are 32-bit; what is computed in 64 bits or as a real number is brought back
// into that range at its edges (a pointer far off the paper, a damaged file, a scaling).
inline qint32 clampedCoordinate(qint64 v)
{
    return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : qint32(v);
}

// v + by, held in range.
inline qint32 offsetCoordinate(qint64 v, qint64 by)
{
    return clampedCoordinate(v + by);
}

// A real coordinate truncated toward zero and held in range (not a number gives the low
// edge).
inline qint32 truncatedCoordinate(double v)
{
    v = std::trunc(v);
    if (!(v >= double(INT32_MIN)))
        return INT32_MIN;
    if (v > double(INT32_MAX))
        return INT32_MAX;
    return qint32(v);
}
