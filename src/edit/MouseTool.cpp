#include "MouseTool.h"

#include "GridSnap.h"

#include "model/CORINOTEDoc.h"

#include <QtMath>

Point ToolEvent::snapped() const
{
    const auto rounded = [](qreal v) {
        return qint32(qBound<qint64>(qint64(INT32_MIN), qRound64(v), qint64(INT32_MAX)));
    };
    return Point{GridSnap::snap(rounded(paper.x()), gridUnit),
                 GridSnap::snap(rounded(paper.y()), gridUnit)};
}

void MouseTool::changed()
{
    mDoc.setModified();
    mDoc.updateAllViews();
}
