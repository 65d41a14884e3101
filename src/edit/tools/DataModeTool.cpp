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
        if (const int sheet = HitTest::sheetAt(layout, e.paper); sheet >= 0)
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
