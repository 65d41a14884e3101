#include "DataModeTool.h"

#include "edit/HitTest.h"
#include "model/CORINOTEDoc.h"

void DataModeTool::press(const ToolEvent& e)
{
    Selection& s = mDoc.selection();
    const EditLayout layout = EditLayout::of(mDoc);
    if (e.modifiers & Qt::ShiftModifier) {
        s.textRect = -1;
        s.keisenns.clear();
        const QPointF pixel = e.toPixels.map(e.paper);
        const int current = mDoc.scalars().currentSheetNo - 1;
        const PageObjects& o = layout.objects;
        const bool underCurrent = current >= o.firstSheet &&
                                  current < o.firstSheet + o.sheetCount &&
                                  HitTest::inRect(layout.sheets->rect(current), e.paper);
        const bool again =
            underCurrent &&
            ((e.modifiers & Qt::AltModifier) ||
             (mLastSheetClick && (pixel - *mLastSheetClick).manhattanLength() <= e.dragDistance));
        mLastSheetClick = pixel;
        if (const int sheet = HitTest::sheetAt(layout, e.paper, again ? current : -1); sheet >= 0)
            mDoc.scalars().currentSheetNo = sheet + 1;
        mDoc.updateAllViews();
        return;
    }
    if (e.endKeyHeld || e.startKeyHeld) {
        s.clear();
        if (const int line = HitTest::lineAt(layout, e.paper); line >= 0) {
            if (!s.keisenns.contains(line))
                s.keisenns.append(line);
        }
        mDoc.updateAllViews();
        return;
    }
    RegionTool::press(e);
}

ToolCursor DataModeTool::cursor(const ToolEvent& e) const
{
    if (!isDragging() && (e.endKeyHeld || e.startKeyHeld)) {
        const EditLayout layout = EditLayout::of(mDoc);
        return HitTest::lineAt(layout, e.paper) >= 0 ? ToolCursor::Line : ToolCursor::Arrow;
    }
    return RegionTool::cursor(e);
}
