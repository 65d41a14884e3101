#pragma once

#include "base/Geometry.h"

#include <QList>

// Six arrays that documents and templates carry without using them (two of rectangles,
// one of ints, two of rectangles, one of ints, in file order). Kept to write them back.
struct ReservedArrays
{
    QList<Rect> rects1;
    QList<Rect> rects2;
    QList<qint32> ints1;
    QList<Rect> rects3;
    QList<Rect> rects4;
    QList<qint32> ints2;

    void clear() { *this = ReservedArrays(); }
    bool operator==(const ReservedArrays& o) const
    {
        return rects1 == o.rects1 && rects2 == o.rects2 && ints1 == o.ints1 &&
               rects3 == o.rects3 && rects4 == o.rects4 && ints2 == o.ints2;
    }
};
