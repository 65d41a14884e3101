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
    switch (o.shape) {
    case ToolOverlay::None:
        break;
    case ToolOverlay::Rectangle:
        painter.setPen(RenderSupport::hairline(o.color, Qt::DotLine));
        painter.drawRect(band);
        break;
    case ToolOverlay::Ellipse:
        painter.setPen(RenderSupport::hairline(o.color, Qt::DotLine));
        painter.drawEllipse(band);
        break;
    case ToolOverlay::Line:
        painter.setPen(RenderSupport::hairline(o.color, Qt::DotLine));
        painter.drawLine(o.from, o.to);
        break;
    }
    painter.setPen(RenderSupport::hairline(Qt::darkGray, Qt::DotLine));
    for (const Rect& r : o.group)
        painter.drawRect(RenderSupport::rectF(r));
    if (o.tracker)
        RenderSupport::drawTracker(painter, RenderSupport::rectF(*o.tracker));
    painter.restore();
}

} // namespace ToolOverlayPainter
