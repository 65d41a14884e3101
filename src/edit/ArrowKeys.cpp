#include "ArrowKeys.h"

#include "GridSnap.h"

#include <Qt>

#include <algorithm>

std::optional<QPoint> ArrowKeys::nudge(int key, bool held, bool templateMode, int editTool,
                                       int gridUnit)
{
    const bool linesPicked = !templateMode || editTool == LineEditTool;
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down;
    if (linesPicked && (held || vertical))
        return std::nullopt;
    const int step = std::max(1, GridSnap::multipleOf(gridUnit));
    switch (key) {
    case Qt::Key_Left:
        return QPoint(-step, 0);
    case Qt::Key_Right:
        return QPoint(step, 0);
    case Qt::Key_Up:
        return QPoint(0, step);
    case Qt::Key_Down:
        return QPoint(0, -step);
    default:
        return std::nullopt;
    }
}
