#include "ViewGeometry.h"

#include "render/PageRenderer.h"

#include <cmath>

namespace ViewGeometry {

QTransform transform(const Rect& paper, double zoom, const QSize& viewport, const QPoint& scroll)
{
    return PageRenderer::screenTransform(paper, zoom, viewport) *
           QTransform::fromTranslate(-scroll.x(), -scroll.y());
}

std::optional<Point> toPaper(const QTransform& transform, const QPointF& pixel)
{
    bool invertible = false;
    const QTransform inverse = transform.inverted(&invertible);
    if (!invertible)
        return std::nullopt;
    const QPointF p = inverse.map(pixel);
    if (!std::isfinite(p.x()) || !std::isfinite(p.y()) || std::abs(p.x()) > 1e9 ||
        std::abs(p.y()) > 1e9)
        return std::nullopt;
    return Point{qint32(std::lround(p.x())), qint32(std::lround(p.y()))};
}

QSize scrollMaxima(double zoom, const QSize& viewport)
{
    const QSize range = PageRenderer::scrollRange(zoom, viewport);
    return QSize(std::max(0, range.width() - viewport.width()),
                 std::max(0, range.height() - viewport.height()));
}

} // namespace ViewGeometry
