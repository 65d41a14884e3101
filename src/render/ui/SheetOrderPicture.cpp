#include "SheetOrderPicture.h"

#include "render/SheetOrder.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor AreaColor(128, 128, 128);
const QColor PaperColor(255, 255, 255);
const QColor FreeColor(0, 160, 0);
const QColor ChosenColor(160, 160, 160);
const QColor LabelBack(0, 0, 255);
const QColor LabelText(255, 255, 255);

// A one-pixel pen drawn along the inside of `r`: QPainter strokes a rectangle one pixel
// wider and higher than its size.
QRect outline(const QRect& r)
{
    return r.adjusted(0, 0, -1, -1);
}

} // namespace

SheetOrderPicture::SheetOrderPicture(SheetOrder& order, QWidget* parent)
    : QWidget(parent), mOrder(order)
{
    setFixedSize(PictureWidth, PictureHeight);
    setCursor(Qt::PointingHandCursor);
}

void SheetOrderPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect area = pictureArea();
    p.fillRect(area, AreaColor);
    p.fillRect(mOrder.paperMiniature(area), PaperColor);

    p.setBrush(Qt::NoBrush);
    // Free sheets first, so the grey outline of a chosen sheet stays visible where two
    // sheets share an edge.
    for (int i = 0; i < mOrder.sheetCount(); ++i) {
        if (mOrder.orderNumber(i) == 0) {
            p.setPen(FreeColor);
            p.drawRect(outline(mOrder.sheetMiniature(i, area)));
        }
    }
    const QFontMetrics metrics(font());
    for (int i = 0; i < mOrder.sheetCount(); ++i) {
        const int number = mOrder.orderNumber(i);
        if (number == 0)
            continue;
        const QRect r = mOrder.sheetMiniature(i, area);
        p.setPen(ChosenColor);
        p.drawRect(outline(r));
        const QString label = QString::number(number);
        const QRect box(r.topLeft(), QSize(metrics.horizontalAdvance(label) + 4, metrics.height()));
        p.fillRect(box, LabelBack);
        p.setPen(LabelText);
        p.drawText(box, Qt::AlignCenter, label);
    }
}

void SheetOrderPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int sheet = mOrder.chooseAt(event->position().toPoint(), pictureArea());
    if (sheet < 0)
        return;
    update();
    emit sheetChosen(sheet);
}
