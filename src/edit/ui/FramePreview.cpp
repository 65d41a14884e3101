#include "FramePreview.h"

#include <QPainter>

FramePreview::FramePreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(64, 64);
}

void FramePreview::setSides(bool top, bool bottom, bool left, bool right)
{
    mSides[0] = top;
    mSides[1] = bottom;
    mSides[2] = left;
    mSides[3] = right;
    update();
}

void FramePreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int side = std::min(width(), height()) - 1;
    const QRect outer(0, 0, side, side);
    p.fillRect(outer, Qt::white);
    const QRect inner = outer.adjusted(10, 10, -10, -10);
    p.setPen(QPen(QColor(204, 204, 204), 1, Qt::DotLine));
    p.drawRect(inner);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::SquareCap));
    if (mSides[0])
        p.drawLine(inner.topLeft(), inner.topRight());
    if (mSides[1])
        p.drawLine(inner.bottomLeft(), inner.bottomRight());
    if (mSides[2])
        p.drawLine(inner.topLeft(), inner.bottomLeft());
    if (mSides[3])
        p.drawLine(inner.topRight(), inner.bottomRight());
}
