#pragma once

struct ToolOverlay;
class QPainter;

// Draws what a mouse tool shows over the page: the dotted rubber band in its colour and
// shape, the tracker with its handles and the dotted rectangles of the group moving with
// it. The painter carries the page's paper transform, as the page renderer left it.
namespace ToolOverlayPainter {

void paint(QPainter& painter, const ToolOverlay& overlay);

} // namespace ToolOverlayPainter
