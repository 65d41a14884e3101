#pragma once

#include "base/Geometry.h"
#include "model/ObjectRef.h"

#include <QList>
#include <QString>

class CORINOTEDoc;

// Splitting a template sheet or text region into a grid of copies of itself.
namespace RectSplit {

struct Grid
{
    int rows = 1;    // 1..30
    int columns = 1; // 1..30
    int gapX = 0;    // 0..500
    int gapY = 0;    // 0..500
};

// The cells of the grid over a rectangle (left L, top T, right R, bottom B), row by
// row: a gap that leaves no room is taken as 0; cell width trunc((R − L − (c − 1)·gx) / c)
// and height likewise; cell (i, j) at left L + j·(w + gx), top T − i·(h + gy).
QList<Rect> cells(const Rect& r, const Grid& grid);

// The smallest part a split may make, in either direction: 1 mm.
constexpr int MinimumPart = 10;

// "分割後の大きさが1mm未満になるため、分割できません。" when a cell of the grid over the
// template object would be narrower or lower than MinimumPart; empty when the split may
// go on (or the object does not exist, which split() refuses).
QString check(const CORINOTEDoc& doc, const ObjectRef& target, const Grid& grid);

// Replaces the template object by rows × columns copies of itself (every attribute
// kept) at consecutive indices from its own, laid on the cells. False when the object
// does not exist. No undo snapshot is taken here.
bool split(CORINOTEDoc& doc, const ObjectRef& target, Grid grid);

} // namespace RectSplit
