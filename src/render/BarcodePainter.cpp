#include "BarcodePainter.h"

#include "model/TextRect.h"
#include "postal/CustomerBarcode.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

double BarcodePainter::pointSize(const TextRect& region)
{
    // The font height is in 0.1 mm; a region without one takes its rectangle's height.
    const double height = region.font.height != 0 ? std::abs(double(region.font.height))
                                                   : std::abs(double(region.rect.height()));
    return std::clamp(height * 0.1 / (25.4 / 72.0), 8.0, 11.5);
}

void BarcodePainter::draw(QPainter& painter, const TextRect& region, const QString& content)
{
    if (content.isEmpty())
        return;
    const QList<CustomerBarcode::Bar> bars = CustomerBarcode::bars(content);
    if (bars.isEmpty())
        return;
    const double unit = pointSize(region) / 10.0 * 6.0; // 0.6 mm at 10 points, in 0.1 mm
    const double top = region.rect.top;
    const double left = region.rect.left;
    // The 67 bars in one call: a printer or PDF gets one list of rectangles.
    QList<QRectF> rects;
    rects.reserve(bars.size());
    for (int i = 0; i < bars.size(); ++i) {
        // From the top: a long bar spans 6 units, an ascender the upper 4, a descender the
        // lower 4, a timing bar the middle 2.
        double from = 0;
        double to = 6;
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
        const double x = left + 2 * i * unit;
        rects.append(QRectF(x, top - to * unit, unit, (to - from) * unit));
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRects(rects.constData(), int(rects.size()));
    painter.restore();
}
