#include "AddSheetTool.h"

#include "model/CORINOTEDoc.h"

void AddSheetTool::press(const ToolEvent& e)
{
    const Point p = e.snapped();
    const NewObjectDefaults& d = mDoc.newObjectDefaults();
    mDoc.takeUndoSnapshot(QStringLiteral("シートの追加"));
    mDoc.addTemplateSheet(Rect{p.x, p.y, p.x + d.sheetWidth, p.y - d.sheetHeight});
    changed();
}
