#include "TextLinePainter.h"

#include "ShapingFont.h"

#include <QGlyphRun>
#include <QPainter>

namespace {

// The slant of a made-up italic, as FreeType's.
constexpr qreal kItalicSlant = 0.2126;

// Point (x, y) of the column frame in the line frame.
const QTransform kColumnToLine(0, -1, 1, 0, 0, 0);

QList<QRectF> decorations(const ShapedLine& line)
{
    QList<QRectF> rects;
    const qreal length = line.spacedAdvance;
    const qreal t = qMax<qreal>(line.lineThickness, line.size / 100.0);
    if (line.underline)
        rects.append(QRectF(0, line.ascent + line.underlinePosition - t / 2, length, t));
    if (line.strikeOut)
        rects.append(QRectF(0, line.ascent - line.strikeOutPosition - t / 2, length, t));
    return rects;
}

} // namespace

QTransform TextLinePainter::lineTransform(const ShapedLine& line, const QPointF& start,
                                          int rotation)
{
    QTransform t;
    t.translate(start.x(), start.y());
    t.scale(1, -1);
    t.rotate(rotation / 10.0);
    if (line.syntheticItalic) {
        t.translate(0, line.ascent);
        t.shear(-kItalicSlant, 0);
        t.translate(0, -line.ascent);
    }
    return t;
}

QPainterPath TextLinePainter::outlinePath(const ShapedLine& line)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (!line.font)
        return path;
    const qreal scale = line.size / line.font->unitsPerEm();
    for (const ShapedRun& run : line.runs) {
        for (int i = 0; i < run.glyphs.size(); ++i) {
            const QPainterPath& glyph = line.font->glyphPath(run.glyphs.at(i));
            if (glyph.isEmpty())
                continue;
            QTransform t;
            if (run.upright)
                t = kColumnToLine;
            t = QTransform::fromScale(scale, scale) *
                QTransform::fromTranslate(run.positions.at(i).x(), run.positions.at(i).y()) * t;
            path.addPath(t.map(glyph));
        }
    }
    for (const QRectF& r : decorations(line))
        path.addRect(r);
    return path;
}

void TextLinePainter::paint(QPainter& painter, const ShapedLine& line, const QPointF& start,
                            int rotation, const QColor& textColor, int outlineWidth,
                            const QColor& outlineColor)
{
    if (line.runs.isEmpty())
        return;
    painter.save();
    painter.setTransform(lineTransform(line, start, rotation), true);

    const bool needPath = outlineWidth > 0 || line.syntheticBold;
    const QPainterPath path = needPath ? outlinePath(line) : QPainterPath();
    const qreal bold = line.syntheticBold ? boldStroke(line) : 0;
    if (outlineWidth > 0) {
        painter.strokePath(path, QPen(outlineColor, 2.0 * outlineWidth + bold, Qt::SolidLine,
                                      Qt::RoundCap, Qt::RoundJoin));
    }

    painter.setPen(textColor);
    for (const ShapedRun& run : line.runs) {
        QGlyphRun glyphs;
        glyphs.setRawFont(run.font);
        glyphs.setGlyphIndexes(run.glyphs);
        glyphs.setPositions(run.positions);
        if (run.upright) {
            painter.save();
            painter.setTransform(kColumnToLine, true);
            painter.drawGlyphRun(QPointF(0, 0), glyphs);
            painter.restore();
        } else {
            painter.drawGlyphRun(QPointF(0, 0), glyphs);
        }
    }
    if (line.syntheticBold)
        painter.strokePath(path, QPen(textColor, bold, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QRectF& r : decorations(line))
        painter.fillRect(r, textColor);
    painter.restore();
}
