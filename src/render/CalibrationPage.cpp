#include "CalibrationPage.h"

#include "FontResolver.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CalibrationPage", text);
}

// Text is drawn with its top-left corner at a logical point of the y-up mapping: a local
// flip keeps the glyphs upright, and the baseline sits one ascent below the top.
void drawTextAt(QPainter& painter, const QPointF& topLeft, const QString& text)
{
    painter.save();
    painter.translate(topLeft);
    painter.scale(1, -1);
    const QFontMetricsF metrics(painter.font());
    painter.drawText(QPointF(0, metrics.ascent()), text);
    painter.restore();
}

} // namespace

const CalibrationPage::Cross& CalibrationPage::cross(int i)
{
    static const Cross crosses[4] = {
        {{100, -100}, {100, -200}, tr("X座標 = 100mm, Y座標 = 100mm")},
        {{500, -100}, {600, -100}, tr("X座標 = 500mm, Y座標 = 100mm")},
        {{100, -500}, {100, -600}, tr("X座標 = 100mm, Y座標 = 500mm")},
        {{500, -500}, {600, -500}, tr("X座標 = 500mm, Y座標 = 500mm")},
    };
    return crosses[qBound(0, i, 3)];
}

QPointF CalibrationPage::instructionAt()
{
    return QPointF(100, -800);
}

QString CalibrationPage::instruction()
{
    return tr("線が交差している点がそこに書かれている座標と一致するように印刷設定を調節してください。");
}

void CalibrationPage::draw(QPainter& painter)
{
    painter.save();
    painter.setFont(FontResolver::familyFont(FontResolver::family(QStringLiteral("ＭＳ Ｐゴシック")),
                                             false, false, FontHeight));
    // 0.2 mm: a device-pixel hairline all but vanishes on a 1200 dpi page.
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        const Cross& c = cross(i);
        painter.drawLine(QPointF(c.centre.x() - HalfLength, c.centre.y()),
                         QPointF(c.centre.x() + HalfLength, c.centre.y()));
        painter.drawLine(QPointF(c.centre.x(), c.centre.y() + HalfLength),
                         QPointF(c.centre.x(), c.centre.y() - HalfLength));
        drawTextAt(painter, c.captionAt, c.caption);
    }
    drawTextAt(painter, instructionAt(), instruction());
    painter.restore();
}
