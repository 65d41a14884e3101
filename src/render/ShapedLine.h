#pragma once

#include <QList>
#include <QPointF>
#include <QRawFont>

#include <memory>

class ShapingFont;

// One line of text shaped for drawing, in the line's own frame: x runs along the line
// from the start of the first character cell, y runs across it from the top of the
// cells (y = 0) to their bottom (y = size), like text on a page. The renderer turns this
// frame by the region's rotation.
//
// A run is a stretch of glyphs drawn with one font. Glyphs of an ordinary run stand on
// the baseline (y = ascent). Upright runs belong to vertical-writing faces: their
// positions are given in the column frame, the line frame turned a quarter turn
// anticlockwise (a point (x, y) of the column frame is (y, -x) in the line frame), where
// the column's centre line is x = -size / 2 and y runs along the line. Drawn in that
// frame, they stand upright when the line itself is turned clockwise, as vertical
// writing is.
struct ShapedRun
{
    QRawFont font; // at the line's pixel size
    QList<quint32> glyphs;
    QList<QPointF> positions; // baseline origins
    bool upright = false;
};

struct ShapedLine
{
    QList<ShapedRun> runs;
    std::shared_ptr<ShapingFont> font; // for the glyph outlines; null when nothing loaded
    qreal size = 0;                    // em size = the cross size of the line, in logical units
    qreal ascent = 0;                  // baseline below the top of the cells
    qreal advance = 0;                 // natural length along the line, without character spacing
    qreal spacedAdvance = 0;           // length along the line with the character spacing
    int characters = 0;                // code points; the spacing is added after each of them
    bool syntheticBold = false;
    bool syntheticItalic = false;
    bool underline = false;
    bool strikeOut = false;
    qreal underlinePosition = 0; // below the baseline
    qreal strikeOutPosition = 0; // above the baseline
    qreal lineThickness = 0;

    // The extent as measuring reports it: the natural advance rounded to whole units,
    // plus the spacing after every character.
    int extent(int charSpacing) const { return qRound(advance) + charSpacing * characters; }
};
