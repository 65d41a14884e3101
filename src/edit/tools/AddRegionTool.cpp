#include "AddRegionTool.h"

#include "model/CORINOTEDoc.h"

void AddRegionTool::press(const ToolEvent& e)
{
    const Point p = e.snapped();
    const NewObjectDefaults& d = mDoc.newObjectDefaults();
    mDoc.takeUndoSnapshot(QStringLiteral("文字列編集領域の追加"));
    mDoc.addTemplateTextRegion(Rect{p.x, p.y, p.x + d.regionWidth, p.y - d.regionHeight},
                               mServices.measurer);
    changed();
}
