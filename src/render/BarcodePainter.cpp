#include "BarcodePainter.h"

#include "model/TextRect.h"
#include "postal/CustomerBarcode.h"

#include <QImage>
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
    // Rows from the bottom: the painter's y runs upwards, so the picture's first row is
    // drawn lowest.
    const int width = 2 * int(bars.size()) - 1;
    QImage image(width, 6, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(1);
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
        for (int y = 6 - to; y < 6 - from; ++y)
            image.setPixel(2 * i, y, 0);
    }
    const QRectF target(region.rect.left, region.rect.top - 6 * unit, width * unit, 6 * unit);
    painter.save();
    painter.setPen(Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, image);
    painter.restore();
}
