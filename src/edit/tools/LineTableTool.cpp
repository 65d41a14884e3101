#include "LineTableTool.h"

#include "edit/KeisennTable.h"
#include "model/CORINOTEDoc.h"

void LineTableTool::finish(const Point& start, const Point& end)
{
    if (start.x == end.x || start.y == end.y || !mServices.askTable)
        return;
    KeisennTableOptions defaults;
    defaults.width = mDoc.newObjectDefaults().lineWidth;
    defaults.color = mDoc.newObjectDefaults().lineColor;
    const std::optional<KeisennTableOptions> options = mServices.askTable(defaults);
    if (!options)
        return;
    mDoc.takeUndoSnapshot(QStringLiteral("罫線（表）の追加"));
    // The rectangle as dragged: the table's lines run from the press to the release.
    KeisennTable::create(mDoc, Rect{start.x, start.y, end.x, end.y}, *options,
                         mServices.measurer);
    changed();
}
