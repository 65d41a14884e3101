#pragma once

#include "ObjectFamily.h"
#include "base/Geometry.h"

// The attributes of a ruled line (罫線).
#define ORINOTE_KEISENN_ATTRIBUTES(X)                                                         \
    X(Point, start, setStart, Point())                                                        \
    X(Point, end, setEnd, Point())                                                            \
    X(qint32, width, setWidth, 1)                                                             \
    X(qint32, color, setColor, 0)

struct Keisenn
{
    ORINOTE_KEISENN_ATTRIBUTES(ORINOTE_OBJECT_FIELD)
};

struct KeisennArrays
{
    ORINOTE_KEISENN_ATTRIBUTES(ORINOTE_ARRAY_FIELD)
    ORINOTE_ARRAYS_METHODS(ORINOTE_KEISENN_ATTRIBUTES, KeisennArrays)
};

// The ruled lines of a layout, as parallel arrays of equal length.
class KeisennFamily
{
    ORINOTE_FAMILY_METHODS(ORINOTE_KEISENN_ATTRIBUTES, KeisennFamily, Keisenn, KeisennArrays,
                           start)
};
