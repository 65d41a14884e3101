#include "LineDrawTool.h"

#include "edit/EditLayout.h"
#include "edit/HitTest.h"
#include "edit/LayoutEdits.h"
#include "model/CORINOTEDoc.h"

Point LineDrawTool::endFor(const ToolEvent& e) const
{
    const Point p = e.snapped();
    const EditLayout layout = EditLayout::of(mDoc);
    const QPointF at(p.x, p.y);
    if (e.modifiers & Qt::ControlModifier) {
        Point end{start().x, p.y};
        if (const int line = HitTest::horizontalLineAt(layout, at); line >= 0)
            end.y = layout.lines->start(line).y;
        return end;
    }
    if (e.modifiers & Qt::ShiftModifier) {
        Point end{p.x, start().y};
        if (const int line = HitTest::verticalLineAt(layout, at); line >= 0)
            end.x = layout.lines->start(line).x;
        return end;
    }
    return p;
}

void LineDrawTool::finish(const Point& start, const Point& end)
{
    if (start == end)
        return;
    mDoc.takeUndoSnapshot(QStringLiteral("罫線の追加"));
    LayoutEdits::appendTemplateLine(mDoc, start, end);
    changed();
}
