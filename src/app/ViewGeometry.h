#pragma once

#include "base/Geometry.h"

#include <QPoint>
#include <QSize>
#include <QTransform>

#include <optional>

// The drawing view's mapping between paper units (0.1 mm, y up) and the pixels of its
// viewport, scrolled by the scroll bars. The page renderer's zoomed screen mapping is
// used as it is, with a margin on every side of the paper (so that objects beyond the
// left or top edge can be seen and taken, as those beyond the right and bottom can) and
// shifted by the scroll position.
namespace ViewGeometry {

// The margin round the paper, in paper units.
constexpr int MarginUnits = 200;

// The margin in pixels at this zoom.
int marginPixels(const Rect& paper, double zoom, const QSize& viewport);

// Paper to viewport pixels.
QTransform transform(const Rect& paper, double zoom, const QSize& viewport, const QPoint& scroll);

// A viewport pixel as a paper point, rounded to whole units; nothing when the mapping
// cannot be inverted (an empty viewport).
std::optional<Point> toPaper(const QTransform& transform, const QPointF& pixel);

// The scroll bars' maxima for a viewport: the scroll range (viewport × zoom) and the
// margins on both sides, less the viewport, never negative.
QSize scrollMaxima(const Rect& paper, double zoom, const QSize& viewport);

} // namespace ViewGeometry
