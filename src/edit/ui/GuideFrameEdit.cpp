#include "GuideFrameEdit.h"

#include <QPainter>
#include <QTextBlock>

#include <algorithm>

GuideFrameEdit::GuideFrameEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void GuideFrameEdit::setSlacks(const QList<int>& slacks)
{
    if (slacks == mSlacks)
        return;
    mSlacks = slacks;
    viewport()->update();
}

QRect GuideFrameEdit::frameOf(int line) const
{
    if (line < 0 || line >= mSlacks.size())
        return QRect();
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid())
        return QRect();
    const QRectF row = blockBoundingGeometry(block).translated(contentOffset());
    const QFontMetricsF metrics(font());
    const qreal left = row.left() + document()->documentMargin();
    const qreal length = metrics.horizontalAdvance(block.text()) +
                         mSlacks.at(line) * metrics.horizontalAdvance(QLatin1Char(' '));
    const qreal right = left + std::max<qreal>(length, 1.0);
    return QRectF(QPointF(left - 1, row.top()), QPointF(right, row.bottom() - 1)).toRect();
}

void GuideFrameEdit::paintEvent(QPaintEvent* event)
{
    {
        // Behind the text: the frames first, the edit's own painting over them.
        QPainter painter(viewport());
        painter.setPen(QPen(Qt::red, 1));
        painter.setBrush(Qt::NoBrush);
        for (int line = 0; line < mSlacks.size(); ++line) {
            const QRect frame = frameOf(line);
            if (frame.isValid())
                painter.drawRect(frame);
        }
    }
    QPlainTextEdit::paintEvent(event);
}
