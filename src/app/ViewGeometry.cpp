#include "ViewGeometry.h"

#include "render/PageRenderer.h"

#include <cmath>

namespace ViewGeometry {

int marginPixels(const Rect& paper, double zoom, const QSize& viewport)
{
    const qreal k = PageRenderer::screenTransform(paper, zoom, viewport).m11();
    return int(std::lround(std::abs(k) * MarginUnits));
}

QTransform transform(const Rect& paper, double zoom, const QSize& viewport, const QPoint& scroll)
{
    const int margin = marginPixels(paper, zoom, viewport);
    return PageRenderer::screenTransform(paper, zoom, viewport) *
           QTransform::fromTranslate(margin - scroll.x(), margin - scroll.y());
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

QSize scrollMaxima(const Rect& paper, double zoom, const QSize& viewport)
{
    const int margins = 2 * marginPixels(paper, zoom, viewport);
    const QSize range = PageRenderer::scrollRange(zoom, viewport);
    return QSize(std::max(0, range.width() + margins - viewport.width()),
                 std::max(0, range.height() + margins - viewport.height()));
}

} // namespace ViewGeometry
