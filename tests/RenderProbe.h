#pragma once

// Helpers of the rendering tests: images where one logical unit is one pixel, and probes
// of what was drawn. Logical point (x, y) (y up, y <= 0 on the paper) is pixel (x, -y).

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>

namespace RenderProbe {

using Pixel = std::function<bool(QRgb)>;

// A white image of the paper area (0, 0)–(width, -height).
inline QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// Sets up a painter on the image as the page renderer's callers do, one unit per pixel.
inline void begin(QPainter& painter)
{
    painter.setTransform(QTransform(1, 0, 0, -1, 0, 0));
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
}

// The colour at logical point (x, y).
inline QColor at(const QImage& image, int x, int y)
{
    return image.pixelColor(x, -y);
}

inline bool near(QRgb c, const QColor& want, int tolerance = 40)
{
    return std::abs(qRed(c) - want.red()) <= tolerance &&
           std::abs(qGreen(c) - want.green()) <= tolerance &&
           std::abs(qBlue(c) - want.blue()) <= tolerance;
}

inline Pixel like(const QColor& want, int tolerance = 40)
{
    return [want, tolerance](QRgb c) { return near(c, want, tolerance); };
}

// Dark pixels: the letters of black text (not the dark blue of an outline).
inline bool dark(QRgb c)
{
    return std::max({qRed(c), qGreen(c), qBlue(c)}) < 128;
}

// The bounding box, in pixels, of the pixels that match within `area` (the whole image
// when empty); an empty rectangle when none match.
inline QRect box(const QImage& image, const Pixel& match, QRect area = QRect())
{
    if (area.isEmpty())
        area = image.rect();
    area &= image.rect();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (match(line[x])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return left > right ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The number of matching pixels and their centre, in pixels.
inline int count(const QImage& image, const Pixel& match, QPointF* centre = nullptr,
                 QRect area = QRect())
{
    if (area.isEmpty())
        area = image.rect();
    area &= image.rect();
    int n = 0;
    double sx = 0, sy = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (match(line[x])) {
                ++n;
                sx += x;
                sy += y;
            }
        }
    }
    if (centre && n > 0)
        *centre = QPointF(sx / n, sy / n);
    return n;
}

// Pixel rectangle of a logical rectangle given as left, top, right, bottom.
inline QRect pixels(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, -top), QPoint(right - 1, -bottom - 1));
}

} // namespace RenderProbe
