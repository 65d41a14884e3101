#pragma once

#include "base/Geometry.h"

#include <QList>
#include <QPointF>

struct EditLayout;

// Which object of the page lies under the pointer (paper units, y up). Objects are
// tried in index order and the first hit wins; -1 when nothing is hit.
namespace HitTest {

// Inside a rectangle as the screen sees it: the left and top edges belong to it, the
// right and bottom edges do not.
bool inRect(const Rect& r, const QPointF& p);

// On a ruled line from a to b: |PA| + |PB| − |AB| strictly between −0.5 and 0.5, an
// ellipse round the line that widens with its length.
bool onLine(const Point& a, const Point& b, const QPointF& p);

// With `after` set, the next object under the pointer after that index in hit order,
// coming round to the first again: the object beneath the one picked.
int sheetAt(const EditLayout& layout, const QPointF& p, int after = -1);
// Regions of the displayed layer only (0 = every layer).
int regionAt(const EditLayout& layout, const QPointF& p, int displayedLayer, int after = -1);
// The first line of the page under the pointer, skipping `except` (-1 for none).
int lineAt(const EditLayout& layout, const QPointF& p, int except = -1);
// The first horizontal (vertical) line of the page under the pointer, skipping `except`.
int horizontalLineAt(const EditLayout& layout, const QPointF& p, const QList<int>& except = {});
int verticalLineAt(const EditLayout& layout, const QPointF& p, const QList<int>& except = {});

} // namespace HitTest
