#include "AddRegionTool.h"

#include "model/CORINOTEDoc.h"

void AddRegionTool::press(const ToolEvent& e)
{
    const Point p = e.snapped();
    const NewObjectDefaults& d = mDoc.newObjectDefaults();
    mDoc.takeUndoSnapshot();
    mDoc.addTemplateTextRegion(Rect{p.x, p.y, p.x + d.regionWidth, p.y - d.regionHeight},
                               mServices.measurer);
    changed();
}
