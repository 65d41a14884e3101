#include "MouseTool.h"

#include "GridSnap.h"

#include "model/CORINOTEDoc.h"

#include <QtMath>

Point ToolEvent::snapped() const
{
    const auto rounded = [](qreal v) {
        return clampedCoordinate(qRound64(v));
    };
    return Point{GridSnap::snap(rounded(paper.x()), gridUnit),
                 GridSnap::snap(rounded(paper.y()), gridUnit)};
}

void MouseTool::changed()
{
    mDoc.setModified();
    mDoc.updateAllViews();
}
