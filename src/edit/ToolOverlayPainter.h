#pragma once

#include <QPointF>
#include <QRectF>

struct ToolOverlay;
class QPainter;
class QTransform;

// Draws what a mouse tool shows over the page: the dotted rubber band in its colour and
// shape, the tracker with its handles and the dotted rectangles of the group moving with
// it. The painter carries the page's paper transform, as the page renderer left it.
//
// Every rubber band is a dotted line in a dark shade of its tool's colour over a light
// halo, so that it shows on white paper and on a coloured background alike.
namespace ToolOverlayPainter {

void paint(QPainter& painter, const ToolOverlay& overlay);

// The mark where the pointer snaps to the grid: a small cyan cross with a dark centre,
// a few device pixels across whatever the zoom.
void paintSnapMark(QPainter& painter, const QPointF& paper);
// The device area the mark covers, for repainting only that (`toDevice` is the paper
// transform).
QRectF snapMarkArea(const QTransform& toDevice, const QPointF& paper);

} // namespace ToolOverlayPainter
