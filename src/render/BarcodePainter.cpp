#include "BarcodePainter.h"

#include "model/TextRect.h"
#include "postal/CustomerBarcode.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

double BarcodePainter::pointSize(const TextRect& region)
{
    // At 10 points the barcode is 133 modules of 0.6 mm long and 6 high: 79.8 × 3.6 mm.
    constexpr double kLengthAt10 = 798.0; // 0.1 mm
    constexpr double kHeightAt10 = 36.0;
    const double byWidth = 10.0 * std::abs(double(region.rect.width())) / kLengthAt10;
    const double byHeight = 10.0 * std::abs(double(region.rect.height())) / kHeightAt10;
    double size = std::min({MaxPoints, byWidth, byHeight});
    // A horizontal face's height chooses a size within the region; a vertical face's height
    // is the region's width across its columns, which says nothing about horizontal bars.
    if (region.font.height != 0 && !region.font.isVertical()) {
        const double font = std::abs(double(region.font.height)) * 0.1 / (25.4 / 72.0);
        size = std::min(size, std::clamp(font, MinPoints, MaxPoints));
    }
    return size;
}

bool BarcodePainter::fits(const TextRect& region)
{
    return pointSize(region) >= MinPoints - 1e-9;
}

void BarcodePainter::draw(QPainter& painter, const TextRect& region, const QString& content)
{
    if (content.isEmpty() || !fits(region))
        return;
    const QList<CustomerBarcode::Bar> bars = CustomerBarcode::bars(content);
    if (bars.isEmpty())
        return;
    const double unit = pointSize(region) / 10.0 * 6.0; // 0.6 mm at 10 points, in 0.1 mm
    // Rows from the bottom: the painter's y runs upwards, so the picture's first row is
    // drawn lowest.
    const int width = 2 * int(bars.size()) - 1;
    QImage image(width, 6, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(1);
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int i = 0; i < bars.size(); ++i) {
        int from = 0;
        int to = 6;
        switch (bars.at(i)) {
        case CustomerBarcode::Bar::Long:
            break;
        case CustomerBarcode::Bar::Ascender:
            to = 4;
            break;
        case CustomerBarcode::Bar::Descender:
            from = 2;
            break;
        case CustomerBarcode::Bar::Timing:
            from = 2;
            to = 4;
            break;
        }
        // Format_Mono keeps the leftmost pixel in a byte's highest bit; 0 is black.
        const int x = 2 * i;
        for (int y = 6 - to; y < 6 - from; ++y)
            bits[y * stride + (x >> 3)] &= uchar(~(0x80 >> (x & 7)));
    }
    const QRectF target(region.rect.left, region.rect.top - 6 * unit, width * unit, 6 * unit);
    // Without save() and restore(): on a PDF page each costs a rewrite of the graphics
    // state, and only the smoothing hint needs to change, on pixels only (the PDF writer
    // never smooths a picture, and each change of a hint rewrites its fill colour).
    const QPaintEngine* engine = painter.paintEngine();
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform) && engine &&
                        engine->type() != QPaintEngine::Pdf;
    if (smooth)
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, image);
    if (smooth)
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}
