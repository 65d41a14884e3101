#include "DragCreateTool.h"

#include "edit/EditLayout.h"
#include "model/CORINOTEDoc.h"

void DragCreateTool::finish(const Point& start, const Point& end)
{
    const Rect r = normalised(Rect{start.x, start.y, end.x, end.y});
    if (r.width() == 0 || r.height() == 0)
        return;
    mDoc.takeUndoSnapshot(QStringLiteral("追加"));
    add(r);
    changed();
}

ToolOverlay::Shape DragCreateTool::bandShape() const
{
    return elliptic() ? ToolOverlay::Ellipse : ToolOverlay::Rectangle;
}

void DrawSheetTool::add(const Rect& rect)
{
    mDoc.addTemplateSheet(rect);
}

bool DrawSheetTool::elliptic() const
{
    return mDoc.newObjectDefaults().sheetElliptic != 0;
}

void DrawRegionTool::add(const Rect& rect)
{
    mDoc.addTemplateTextRegion(rect, mServices.measurer);
}

bool DrawRegionTool::elliptic() const
{
    return mDoc.newObjectDefaults().elliptic != 0;
}
