#include "TextLinePainter.h"

#include "ShapingFont.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

#include <cmath>

namespace {

// The slant of a made-up italic, as FreeType's.
constexpr qreal kItalicSlant = 0.2126;

// Kept images: up to 32 MB (costs in kilobytes); a single line larger than 4 M pixels is
// drawn directly instead.
constexpr int kImageBudget = 32 * 1024;
constexpr qint64 kMaxImagePixels = 4 * 1024 * 1024;
// Plain lines are kept only while small: drawing glyphs costs about as much as copying an
// image of them, so a large image would only fill the memory.
constexpr qint64 kMaxPlainPixels = 128 * 1024;

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

template <typename T> void appendBytes(QByteArray& key, const T& value)
{
    key.append(reinterpret_cast<const char*>(&value), sizeof(T));
}

} // namespace

TextLinePainter::TextLinePainter() : mImages(kImageBudget) {}

QTransform TextLinePainter::lineTransform(const ShapedLine& line, const QPointF& start,
                                          int rotation, qreal squeeze)
{
    QTransform t;
    t.translate(start.x(), start.y());
    t.scale(1, -1);
    t.rotate(rotation / 10.0);
    if (squeeze != 1)
        t.scale(squeeze, 1);
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
                            const QColor& outlineColor, qreal squeeze)
{
    if (line.runs.isEmpty())
        return;
    const QTransform toLine = lineTransform(line, start, rotation, squeeze);
    const bool strokes = outlineWidth > 0 || line.syntheticBold;
    const QPaintEngine* engine = painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::Raster) {
        const QTransform toDevice = toLine * painter.combinedTransform();
        if (toDevice.type() <= QTransform::TxRotate &&
            paintCached(painter, line, toDevice, textColor, outlineWidth, outlineColor,
                        strokes ? kMaxImagePixels : kMaxPlainPixels))
            return;
    }
    painter.save();
    painter.setTransform(toLine, true);
    paintDirect(painter, line, textColor, outlineWidth, outlineColor);
    painter.restore();
}

void TextLinePainter::paintDirect(QPainter& painter, const ShapedLine& line,
                                  const QColor& textColor, int outlineWidth,
                                  const QColor& outlineColor)
{
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
}

bool TextLinePainter::paintCached(QPainter& painter, const ShapedLine& line,
                                  const QTransform& toDevice, const QColor& textColor,
                                  int outlineWidth, const QColor& outlineColor, qint64 maxPixels)
{
    // The image is drawn at whole device pixels; the fraction of the line's position is
    // part of the key (in eighths of a pixel), so the letters land where they would.
    const QPointF shift(toDevice.dx(), toDevice.dy());
    const QPointF whole(std::floor(shift.x()), std::floor(shift.y()));
    const QPointF fraction(std::round((shift.x() - whole.x()) * 8) / 8,
                           std::round((shift.y() - whole.y()) * 8) / 8);
    const QTransform local(toDevice.m11(), toDevice.m12(), toDevice.m21(), toDevice.m22(),
                           fraction.x(), fraction.y());

    // The part of the line frame the letters may cover: every glyph within an em of its
    // origin along the line, the cells across it, with room for strokes and slant.
    qreal first = 0;
    qreal last = line.spacedAdvance;
    for (const ShapedRun& run : line.runs) {
        for (const QPointF& p : run.positions) {
            const qreal along = run.upright ? p.y() : p.x();
            first = qMin(first, along - line.size);
            last = qMax(last, along + line.size);
        }
    }
    const qreal margin = outlineWidth + line.size / 4;
    const QRectF bounds(first - margin, -margin, last - first + 2 * margin, line.size + 2 * margin);
    const QRectF area = local.mapRect(bounds);
    const QPoint origin(int(std::floor(area.left())), int(std::floor(area.top())));
    const QSize size(int(std::ceil(area.right())) - origin.x(),
                     int(std::ceil(area.bottom())) - origin.y());
    if (size.isEmpty() || qint64(size.width()) * size.height() > maxPixels)
        return false;

    QByteArray key;
    key.reserve(256);
    for (qreal v : {local.m11(), local.m12(), local.m21(), local.m22(), fraction.x(), fraction.y(),
                    line.size})
        appendBytes(key, v);
    appendBytes(key, textColor.rgba());
    appendBytes(key, outlineColor.rgba());
    appendBytes(key, outlineWidth);
    const quint8 flags = quint8(line.syntheticBold) | quint8(line.syntheticItalic) << 1 |
                         quint8(line.underline) << 2 | quint8(line.strikeOut) << 3;
    appendBytes(key, flags);
    appendBytes(key, line.font ? line.font->serial() : quint64(0));
    for (const ShapedRun& run : line.runs) {
        appendBytes(key, run.upright);
        key.append(reinterpret_cast<const char*>(run.glyphs.constData()),
                   run.glyphs.size() * qsizetype(sizeof(quint32)));
        key.append(reinterpret_cast<const char*>(run.positions.constData()),
                   run.positions.size() * qsizetype(sizeof(QPointF)));
    }

    QImage image;
    if (const QImage* kept = mImages.object(key)) {
        image = *kept;
    } else {
        image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHints(painter.renderHints());
        p.setTransform(local * QTransform::fromTranslate(-origin.x(), -origin.y()));
        paintDirect(p, line, textColor, outlineWidth, outlineColor);
        p.end();
        mImages.insert(key, new QImage(image), int(qMax<qsizetype>(1, image.sizeInBytes() / 1024)));
    }
    // The device transform includes the device's pixel ratio (2 on a 200 % desktop), which
    // the painter applies again after a reset: undo it so one image pixel is one device pixel.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    painter.save();
    painter.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    painter.drawImage(QPointF(whole.x() + origin.x(), whole.y() + origin.y()), image);
    painter.restore();
    return true;
}
