#include "ToolOverlayPainter.h"

#include "MouseTool.h"

#include "render/RenderSupport.h"

#include <QPainter>

namespace ToolOverlayPainter {

void paint(QPainter& painter, const ToolOverlay& o)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    const QRectF band = QRectF(o.from, o.to).normalized();
    const auto draw = [&] {
        switch (o.shape) {
        case ToolOverlay::None:
            break;
        case ToolOverlay::Rectangle:
            painter.drawRect(band);
            break;
        case ToolOverlay::Ellipse:
            painter.drawEllipse(band);
            break;
        case ToolOverlay::Line:
            painter.drawLine(o.from, o.to);
            break;
        }
    };
    // A light halo three pixels wide, then the dotted band in a dark shade of its colour.
    QPen halo = RenderSupport::hairline(QColor(255, 255, 255, 200));
    halo.setWidthF(3);
    halo.setCosmetic(true);
    painter.setPen(halo);
    draw();
    painter.setPen(RenderSupport::hairline(o.color.darker(220), Qt::DotLine));
    draw();
    painter.setPen(RenderSupport::hairline(Qt::darkGray, Qt::DotLine));
    for (const Rect& r : o.group)
        painter.drawRect(RenderSupport::rectF(r));
    if (o.tracker)
        RenderSupport::drawTracker(painter, RenderSupport::rectF(*o.tracker));
    painter.restore();
}

QRectF snapMarkArea(const QTransform& toDevice, const QPointF& paper)
{
    const QPointF centre = toDevice.map(paper);
    return QRectF(centre - QPointF(5, 5), centre + QPointF(5, 5));
}

void paintSnapMark(QPainter& painter, const QPointF& paper)
{
    // Drawn in whole device pixels so the mark keeps its size at any zoom and its centre
    // is the pixel the point rounds to, wherever the paper lies in the view.
    const QPoint centre = painter.transform().map(paper).toPoint();
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0, 0xFF, 0xFF), 1));
    painter.drawLine(centre - QPoint(3, 0), centre + QPoint(3, 0));
    painter.drawLine(centre - QPoint(0, 3), centre + QPoint(0, 3));
    painter.fillRect(QRect(centre, QSize(1, 1)), QColor(0, 0, 0x80));
    painter.restore();
}

} // namespace ToolOverlayPainter
