#include "LayoutEdits.h"

#include "EditLayout.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>

#include <algorithm>

namespace LayoutEdits {

void removeTemplateSheet(CORINOTEDoc& doc, int index)
{
    SheetFamily& sheets = doc.labelTemplate().sheets;
    if (index < 0 || index >= sheets.size())
        return;
    sheets.removeAt(index);
    if (doc.templateMode)
        doc.selection().removed(ObjectRef::SheetKind, index);
}

void removeTemplateRegion(CORINOTEDoc& doc, int index)
{
    TextRectFamily& regions = doc.labelTemplate().regions;
    if (index < 0 || index >= regions.size())
        return;
    regions.removeAt(index);
    if (doc.templateMode)
        doc.selection().removed(ObjectRef::TextRectKind, index);
}

void removeTemplateLines(CORINOTEDoc& doc, QList<int> indices)
{
    KeisennFamily& lines = doc.labelTemplate().keisenns;
    std::sort(indices.begin(), indices.end(), std::greater<int>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (const int i : std::as_const(indices)) {
        if (i < 0 || i >= lines.size())
            continue;
        lines.removeAt(i);
        if (doc.templateMode)
            doc.selection().keisennRemoved(i);
    }
}

void appendTemplateLine(CORINOTEDoc& doc, const Point& start, const Point& end)
{
    Keisenn line;
    line.start = start;
    line.end = end;
    line.width = doc.newObjectDefaults().lineWidth;
    line.color = doc.newObjectDefaults().lineColor;
    doc.labelTemplate().keisenns.append(line);
}

bool canDelete(const CORINOTEDoc& doc)
{
    const Selection& s = doc.selection();
    return doc.templateMode && (s.sheet >= 0 || s.textRect >= 0 || !s.keisenns.isEmpty());
}

QString deleteSelection(CORINOTEDoc& doc)
{
    if (!canDelete(doc))
        return QString();
    Selection& s = doc.selection();
    const CLabelSheetTemplate& t = doc.labelTemplate();
    if (s.sheet >= 0 && s.sheet < t.sheets.size()) {
        if (t.sheets.size() == 1) {
            return QCoreApplication::translate("LayoutEdits",
                                               "これ以上シート枠を削除することはできません。");
        }
        doc.takeUndoSnapshot(QStringLiteral("削除"));
        removeTemplateSheet(doc, s.sheet);
        doc.scalars().currentSheetNo = 1;
    } else if (!s.keisenns.isEmpty()) {
        doc.takeUndoSnapshot(QStringLiteral("削除"));
        removeTemplateLines(doc, s.keisenns);
    } else if (s.textRect >= 0 && s.textRect < t.regions.size()) {
        doc.takeUndoSnapshot(QStringLiteral("削除"));
        removeTemplateRegion(doc, s.textRect);
    } else {
        // A selection that names nothing any more: there is nothing to delete.
        s.clear();
        doc.updateAllViews();
        return QString();
    }
    s.clear();
    doc.setModified();
    doc.updateAllViews();
    return QString();
}

bool moveSelection(CORINOTEDoc& doc, int dx, int dy)
{
    EditLayout layout = EditLayout::of(doc);
    const Selection& s = doc.selection();
    QList<ObjectRef> objects;
    if (s.textRect >= 0)
        objects.append({ObjectRef::TextRectKind, s.textRect});
    else if (s.sheet >= 0)
        objects.append({ObjectRef::SheetKind, s.sheet});
    if (!objects.isEmpty()) {
        for (const ObjectRef& r : s.group)
            if (!objects.contains(r))
                objects.append(r);
    }
    objects.erase(std::remove_if(objects.begin(), objects.end(),
                                 [&](const ObjectRef& r) { return !layout.contains(r); }),
                  objects.end());
    QList<int> lines;
    if (objects.isEmpty()) {
        for (const int i : s.keisenns)
            if (layout.objects.hasLine(i) && !lines.contains(i))
                lines.append(i);
    }
    if ((objects.isEmpty() && lines.isEmpty()) || (dx == 0 && dy == 0))
        return false;

    // Nudges of the same objects in quick succession are one step.
    QString key = QStringLiteral("nudge");
    for (const ObjectRef& r : std::as_const(objects))
        key += QStringLiteral(" %1:%2").arg(int(r.kind)).arg(r.index);
    for (const int i : std::as_const(lines))
        key += QStringLiteral(" L%1").arg(i);
    doc.takeUndoSnapshot(QStringLiteral("移動"), key);
    layout = EditLayout::of(doc);
    for (const ObjectRef& r : std::as_const(objects)) {
        const Rect old = layout.rectOf(r);
        layout.setRect(r, Rect{offsetCoordinate(old.left, dx), offsetCoordinate(old.top, dy), offsetCoordinate(old.right, dx),
                               offsetCoordinate(old.bottom, dy)});
    }
    for (const int i : std::as_const(lines)) {
        const Point a = layout.lines->start(i);
        const Point b = layout.lines->end(i);
        layout.lines->setStart(i, Point{offsetCoordinate(a.x, dx), offsetCoordinate(a.y, dy)});
        layout.lines->setEnd(i, Point{offsetCoordinate(b.x, dx), offsetCoordinate(b.y, dy)});
    }
    doc.setModified();
    doc.updateAllViews();
    return true;
}

} // namespace LayoutEdits
