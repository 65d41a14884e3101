#include "RenderSupport.h"

#include "FontResolver.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

QColor RenderSupport::color(qint32 colorRef)
{
    const quint32 c = quint32(colorRef);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QRectF RenderSupport::rectF(const Rect& r)
{
    return QRectF(QPointF(r.left, r.bottom), QPointF(r.right, r.top)).normalized();
}

qreal RenderSupport::deviceScale(const QPainter& painter)
{
    return std::sqrt(std::abs(painter.combinedTransform().determinant()));
}

QPen RenderSupport::pen(const QPainter& painter, const QColor& color, qreal width,
                        Qt::PenStyle style)
{
    if (width * deviceScale(painter) < 1.0)
        return hairline(color, style);
    if (style != Qt::SolidLine)
        return QPen(color, width, style, Qt::FlatCap, Qt::MiterJoin);
    return QPen(color, width, style, Qt::RoundCap, Qt::RoundJoin);
}

QPen RenderSupport::hairline(const QColor& color, Qt::PenStyle style)
{
    QPen p(color, 1, style, Qt::FlatCap, Qt::MiterJoin);
    p.setCosmetic(true);
    return p;
}

namespace {

QFont labelFont(const QPainter& painter)
{
    static const QString family = FontResolver::family(QStringLiteral("ＭＳ Ｐゴシック"));
    QFont font(family);
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    font.setPixelSize(qMax(8, qRound(12.0 * dpi / 96.0)));
    return font;
}

} // namespace

void RenderSupport::drawLabel(QPainter& painter, const QPointF& anchor, const QString& text,
                              const QColor& textColor, const QColor& background)
{
    // Labels keep their size in the device's logical pixels: the anchor is placed through
    // the painter's transform without the pixel ratio, which the painter adds itself.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    const QPointF at = painter.combinedTransform().map(anchor) / ratio;
    const QFont font = labelFont(painter);
    painter.save();
    painter.resetTransform();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QRectF box(at, QSizeF(metrics.horizontalAdvance(text) + 2, metrics.height()));
    if (background.isValid())
        painter.fillRect(box, background);
    painter.setPen(textColor);
    painter.drawText(QPointF(at.x() + 1, at.y() + metrics.ascent()), text);
    painter.restore();
}

void RenderSupport::drawTracker(QPainter& painter, const QRectF& rect)
{
    // Drawn in the painter's own units, with the handles' size converted from pixels, so
    // that a high-density screen scales the tracker with the page it belongs to.
    const QRectF r = rect.normalized();
    const qreal perPixel = std::sqrt(std::abs(painter.worldTransform().determinant()));
    const qreal h = perPixel > 0 ? 3.5 / perPixel : 0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(hairline(Qt::black, Qt::DotLine));
    painter.drawRect(r);
    const QPointF handles[] = {r.topLeft(),     QPointF(r.center().x(), r.top()),
                               r.topRight(),    QPointF(r.right(), r.center().y()),
                               r.bottomRight(), QPointF(r.center().x(), r.bottom()),
                               r.bottomLeft(),  QPointF(r.left(), r.center().y())};
    for (const QPointF& p : handles)
        painter.fillRect(QRectF(p.x() - h, p.y() - h, 2 * h, 2 * h), Qt::black);
    painter.restore();
}
