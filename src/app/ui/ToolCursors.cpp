#include "ToolCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// A 32 × 32 picture drawn in black with a white rim, so it shows on any background.
template<typename Draw>
QPixmap picture(Draw draw)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap));
    draw(p);
    p.setPen(QPen(Qt::black, 1));
    draw(p);
    return pixmap;
}

// A cross with its centre at (6, 6) and a small frame at the lower right: something is
// added here.
QCursor creation()
{
    static const QCursor c(picture([](QPainter& p) {
                               p.drawLine(6, 0, 6, 12);
                               p.drawLine(0, 6, 12, 6);
                               p.drawRect(12, 12, 12, 9);
                           }),
                           6, 6);
    return c;
}

// A pencil whose point is at (2, 29).
QCursor drawLine()
{
    static const QCursor c(picture([](QPainter& p) {
                               const QPointF outline[] = {{2, 29}, {5, 21}, {21, 5}, {26, 10},
                                                          {10, 26}, {2, 29}};
                               p.drawPolyline(outline, 6);
                               p.drawLine(5, 21, 10, 26);
                               p.drawLine(18, 8, 23, 13);
                           }),
                           2, 29);
    return c;
}

// An arrow whose tip at (7, 29) points down at a ruled line.
QCursor line()
{
    static const QCursor c(picture([](QPainter& p) {
                               p.drawLine(7, 29, 7, 8);
                               p.drawLine(7, 29, 2, 22);
                               p.drawLine(7, 29, 12, 22);
                               p.drawLine(0, 30, 30, 30);
                           }),
                           7, 29);
    return c;
}

} // namespace

namespace ToolCursors {

QCursor cursor(ToolCursor which)
{
    switch (which) {
    case ToolCursor::Create:
        return creation();
    case ToolCursor::DrawLine:
        return drawLine();
    case ToolCursor::Line:
        return line();
    case ToolCursor::SizeNWSE:
        return QCursor(Qt::SizeFDiagCursor);
    case ToolCursor::SizeNESW:
        return QCursor(Qt::SizeBDiagCursor);
    case ToolCursor::SizeVertical:
        return QCursor(Qt::SizeVerCursor);
    case ToolCursor::SizeHorizontal:
        return QCursor(Qt::SizeHorCursor);
    case ToolCursor::SizeAll:
        return QCursor(Qt::SizeAllCursor);
    case ToolCursor::Arrow:
        break;
    }
    return QCursor(Qt::ArrowCursor);
}

} // namespace ToolCursors
