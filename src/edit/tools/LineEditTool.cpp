#include "LineEditTool.h"

#include "edit/EditLayout.h"
#include "edit/HitTest.h"
#include "model/CORINOTEDoc.h"

QList<LineEditTool::Moved> LineEditTool::current() const
{
    QList<Moved> lines;
    const EditLayout layout = EditLayout::of(mDoc);
    for (const Moved& m : mOriginal)
        lines.append({m.index, layout.lines->start(m.index), layout.lines->end(m.index)});
    return lines;
}

void LineEditTool::put(const QList<Moved>& lines)
{
    EditLayout layout = EditLayout::of(mDoc);
    for (const Moved& m : lines) {
        layout.lines->setStart(m.index, m.start);
        layout.lines->setEnd(m.index, m.end);
    }
}

void LineEditTool::press(const ToolEvent& e)
{
    Selection& s = mDoc.selection();
    s.sheet = -1;
    s.textRect = -1;
    const EditLayout layout = EditLayout::of(mDoc);
    const int hit = HitTest::lineAt(layout, e.paper);
    mDragging = false;
    mOriginal.clear();
    if (hit < 0) {
        s.keisenns.clear();
    } else {
        if (!s.keisenns.contains(hit))
            s.keisenns.append(hit);
        for (const int i : std::as_const(s.keisenns)) {
            if (layout.objects.hasLine(i))
                mOriginal.append({i, layout.lines->start(i), layout.lines->end(i)});
        }
        mFrom = e.snapped();
        mDragging = true;
    }
    mDoc.updateAllViews();
}

void LineEditTool::move(const ToolEvent& e)
{
    if (!mDragging)
        return;
    const Point p = e.snapped();
    Point to = p;
    if (e.modifiers & Qt::ControlModifier)
        to.x = mFrom.x;
    else if (e.modifiers & Qt::ShiftModifier)
        to.y = mFrom.y;
    const qint64 dx = qint64(to.x) - mFrom.x;
    const qint64 dy = qint64(to.y) - mFrom.y;
    if (dx == 0 && dy == 0)
        return;

    EditLayout layout = EditLayout::of(mDoc);
    QList<int> selected;
    for (const Moved& m : std::as_const(mOriginal))
        selected.append(m.index);
    // A moved end stops on a crossing line that is not being moved.
    const auto stop = [&](Point point) {
        const QPointF at(point.x, point.y);
        if (e.modifiers & Qt::ControlModifier) {
            if (const int line = HitTest::horizontalLineAt(layout, at, selected); line >= 0)
                point.y = layout.lines->start(line).y;
        } else if (e.modifiers & Qt::ShiftModifier) {
            if (const int line = HitTest::verticalLineAt(layout, at, selected); line >= 0)
                point.x = layout.lines->start(line).x;
        }
        return point;
    };
    QList<Moved> lines = current();
    for (Moved& m : lines) {
        if (e.endKeyHeld) {
            m.end = stop(Point{offsetCoordinate(m.end.x, dx), offsetCoordinate(m.end.y, dy)});
        } else if (e.startKeyHeld) {
            m.start = stop(Point{offsetCoordinate(m.start.x, dx), offsetCoordinate(m.start.y, dy)});
        } else {
            m.start = Point{offsetCoordinate(m.start.x, dx), offsetCoordinate(m.start.y, dy)};
            m.end = Point{offsetCoordinate(m.end.x, dx), offsetCoordinate(m.end.y, dy)};
        }
    }
    put(lines);
    mFrom = to;
    mDoc.updateAllViews();
}

void LineEditTool::release(const ToolEvent& e)
{
    if (!mDragging)
        return;
    move(e);
    mDragging = false;
    const QList<Moved> moved = current();
    bool differs = false;
    for (int i = 0; i < moved.size(); ++i) {
        differs = differs || moved.at(i).start != mOriginal.at(i).start ||
                  moved.at(i).end != mOriginal.at(i).end;
    }
    if (!differs)
        return;
    // The snapshot must hold the lines as they were before the drag.
    put(mOriginal);
    mDoc.takeUndoSnapshot(QStringLiteral("罫線の移動"));
    put(moved);
    changed();
}

void LineEditTool::cancel()
{
    if (!mDragging)
        return;
    mDragging = false;
    put(mOriginal);
    mDoc.updateAllViews();
}

ToolCursor LineEditTool::cursor(const ToolEvent& e) const
{
    if (mDragging)
        return ToolCursor::Line;
    EditLayout layout = EditLayout::of(mDoc);
    return HitTest::lineAt(layout, e.paper) >= 0 ? ToolCursor::Line : ToolCursor::Arrow;
}
