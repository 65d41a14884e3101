#pragma once

#include "ShapedLine.h"

#include <QCache>
#include <QColor>
#include <QImage>
#include <QPainterPath>

class QPainter;

// Draws a shaped line at a start point of the page, turned by a region rotation.
//
// The start point is the top-left corner of the first character cell; the line frame is
// turned clockwise on the page by the rotation (900: the line runs down the page and its
// cells extend to the left of the start point). Upright runs of vertical faces are drawn
// turned back, so they stand upright in a line turned by 900.
//
// The outline (縁取り) is one stroke of the glyph outlines, 2 × outlineWidth wide with
// round joins, under the letters: the same solid edge the original stamping of the text
// at every offset of a square grid produced, drawn once, on the screen and on paper alike.
// Bold and italic the font has no face for are made up: the letters' outlines are
// emboldened by a stroke of 1/24 em, and the line is slanted about its baseline.
//
// Filling a stroke of hundreds of glyph curves costs milliseconds on a raster device, and
// even plain glyphs cost more than copying their image, so on the screen and into images a
// line is drawn once into an image at the device's resolution and kept while its glyphs,
// colours and device scale stay the same (plain lines only while small); printers and PDF
// always get glyphs and vector strokes.
class TextLinePainter
{
public:
    TextLinePainter();

    // `squeeze` scales the line along its length (1: as shaped).
    void paint(QPainter& painter, const ShapedLine& line, const QPointF& start, int rotation,
               const QColor& textColor, int outlineWidth, const QColor& outlineColor,
               qreal squeeze = 1);

    // The outlines of every glyph (and of the underline and strike-out) in the line frame.
    static QPainterPath outlinePath(const ShapedLine& line);

    // The transform from the line frame to the painter's world (y up) for a start point
    // and rotation, slant of a synthetic italic included.
    static QTransform lineTransform(const ShapedLine& line, const QPointF& start, int rotation,
                                    qreal squeeze = 1);

    // The stroke width that emboldens a line whose font has no bold face.
    static qreal boldStroke(const ShapedLine& line) { return line.size / 24.0; }

private:
    // Draws the line on a painter already in the line frame.
    static void paintDirect(QPainter& painter, const ShapedLine& line, const QColor& textColor,
                            int outlineWidth, const QColor& outlineColor);
    bool paintCached(QPainter& painter, const ShapedLine& line, const QTransform& toDevice,
                     const QColor& textColor, int outlineWidth, const QColor& outlineColor,
                     qint64 maxPixels);

    QCache<QByteArray, QImage> mImages;
};
