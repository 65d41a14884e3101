#pragma once

#include "base/Geometry.h"

#include <QColor>
#include <QPen>
#include <QRectF>
#include <QString>

class QPainter;

// Small pieces the region and page renderers share. The painter's world is the paper in
// logical units of 0.1 mm with y growing upwards; device pixels are whatever the painter
// draws on.
namespace RenderSupport {

// A Windows colour value 0x00BBGGRR.
QColor color(qint32 colorRef);

// A stored rectangle (left, top, right, bottom, y up) as a normalised QRectF of the
// painter's world.
QRectF rectF(const Rect& r);

// How many device pixels one logical unit spans under the painter's current transform.
qreal deviceScale(const QPainter& painter);

// A pen `width` logical units wide, never thinner than one device pixel (a line of width
// 0 or 1 still shows, as on the original devices). Solid pens wider than a pixel have
// round ends and joins.
QPen pen(const QPainter& painter, const QColor& color, qreal width,
         Qt::PenStyle style = Qt::SolidLine);

// A one-pixel pen of any style, for the editing aids (dotted outlines and marks).
QPen hairline(const QColor& color, Qt::PenStyle style = Qt::SolidLine);

// Writes a label in device pixels (a fixed size on every zoom) with its top-left corner at
// the logical point `anchor`, on an opaque background unless `background` is invalid.
// The font is 12 pixels high on a 96 dpi device and scales with the device's dpi.
void drawLabel(QPainter& painter, const QPointF& anchor, const QString& text,
               const QColor& textColor, const QColor& background = QColor());

// The resize tracker of a selected object: the rectangle in a dotted line with eight
// square handles, 7 pixels wide, on its corners and the middles of its sides.
void drawTracker(QPainter& painter, const QRectF& rect);

} // namespace RenderSupport
