#include "LayoutEdits.h"

#include "EditLayout.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>
#include <QPair>

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

namespace {

// The part of an object's extent along one axis that stays on the paper.
constexpr qint64 KeptOnPaper = 10;

// Narrows an offset along one axis so that an object spanning [low, high] keeps
// min(KeptOnPaper, its extent) on the paper [paperLow, paperHigh]. It only narrows: an
// object already further out is not pulled in, and is not taken further out either.
qint64 bounded(qint64 by, qint64 low, qint64 high, qint64 paperLow, qint64 paperHigh)
{
    const qint64 keep = std::min(KeptOnPaper, high - low);
    if (by < 0)
        return std::max(by, std::min<qint64>(0, paperLow + keep - high));
    if (by > 0)
        return std::min(by, std::max<qint64>(0, paperHigh - keep - low));
    return 0;
}

} // namespace

QString heldBackMessage()
{
    return QCoreApplication::translate(
        "LayoutEdits", "これ以上用紙の外へは動かせません（1 mm は用紙に残ります）。");
}

bool moveSelection(CORINOTEDoc& doc, int dx, int dy, bool* heldBack)
{
    if (heldBack)
        *heldBack = false;
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

    // Nothing is taken so far off the paper that it could not be grabbed back.
    const Rect paper = normalised(doc.templateMode ? doc.labelTemplate().paperRect
                                                   : doc.scalars().paperRect);
    qint64 boundX = dx;
    qint64 boundY = dy;
    const auto bound = [&](const Rect& r) {
        const Rect b = normalised(r);
        boundX = bounded(boundX, b.left, b.right, paper.left, paper.right);
        boundY = bounded(boundY, b.bottom, b.top, paper.bottom, paper.top);
    };
    for (const ObjectRef& r : std::as_const(objects))
        bound(layout.rectOf(r));
    for (const int i : std::as_const(lines)) {
        const Point a = layout.lines->start(i);
        const Point b = layout.lines->end(i);
        bound(Rect{a.x, a.y, b.x, b.y});
    }
    if (heldBack)
        *heldBack = boundX != dx || boundY != dy;
    if (boundX == 0 && boundY == 0)
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
        layout.setRect(r, Rect{offsetCoordinate(old.left, boundX), offsetCoordinate(old.top, boundY),
                               offsetCoordinate(old.right, boundX),
                               offsetCoordinate(old.bottom, boundY)});
    }
    for (const int i : std::as_const(lines)) {
        const Point a = layout.lines->start(i);
        const Point b = layout.lines->end(i);
        layout.lines->setStart(i, Point{offsetCoordinate(a.x, boundX), offsetCoordinate(a.y, boundY)});
        layout.lines->setEnd(i, Point{offsetCoordinate(b.x, boundX), offsetCoordinate(b.y, boundY)});
    }
    doc.setModified();
    doc.updateAllViews();
    return true;
}

namespace {

// The offset along one axis that brings [low, high] inside [paperLow, paperHigh]; an
// object longer than the paper is brought to the paper's low edge.
qint64 intoRange(qint64 low, qint64 high, qint64 paperLow, qint64 paperHigh)
{
    if (low < paperLow || high - low > paperHigh - paperLow)
        return paperLow - low;
    if (high > paperHigh)
        return paperHigh - high;
    return 0;
}

struct Offset
{
    qint64 dx = 0;
    qint64 dy = 0;
    bool isNull() const { return dx == 0 && dy == 0; }
};

Offset intoPaper(const Rect& r, const Rect& paper)
{
    const Rect b = normalised(r);
    return Offset{intoRange(b.left, b.right, paper.left, paper.right),
                  intoRange(b.bottom, b.top, paper.bottom, paper.top)};
}

// Every object of the page being edited that lies partly off the paper, with the
// offset that brings it back.
struct Outside
{
    QList<QPair<ObjectRef, Offset>> objects;
    QList<QPair<int, Offset>> lines;
    bool isEmpty() const { return objects.isEmpty() && lines.isEmpty(); }
};

Outside outsideOf(CORINOTEDoc& doc)
{
    const EditLayout layout = EditLayout::of(doc);
    const Rect paper = normalised(doc.templateMode ? doc.labelTemplate().paperRect
                                                   : doc.scalars().paperRect);
    Outside out;
    const PageObjects& o = layout.objects;
    for (int i = o.firstSheet; i < o.firstSheet + o.sheetCount; ++i) {
        const ObjectRef r{ObjectRef::SheetKind, i};
        if (const Offset off = intoPaper(layout.rectOf(r), paper); !off.isNull())
            out.objects.append({r, off});
    }
    for (int i = o.firstRegion; i < o.firstRegion + o.regionCount; ++i) {
        const ObjectRef r{ObjectRef::TextRectKind, i};
        if (const Offset off = intoPaper(layout.rectOf(r), paper); !off.isNull())
            out.objects.append({r, off});
    }
    for (int i = o.firstLine; i < o.firstLine + o.lineCount; ++i) {
        const Point a = layout.lines->start(i);
        const Point b = layout.lines->end(i);
        if (const Offset off = intoPaper(Rect{a.x, a.y, b.x, b.y}, paper); !off.isNull())
            out.lines.append({i, off});
    }
    return out;
}

} // namespace

bool canBringIntoPaper(const CORINOTEDoc& doc)
{
    // The layout of a document is looked at only: nothing is changed here.
    return !outsideOf(const_cast<CORINOTEDoc&>(doc)).isEmpty();
}

int bringIntoPaper(CORINOTEDoc& doc)
{
    const Outside out = outsideOf(doc);
    if (out.isEmpty())
        return 0;
    doc.takeUndoSnapshot(QStringLiteral("用紙内に戻す"));
    EditLayout layout = EditLayout::of(doc);
    for (const auto& [ref, off] : out.objects) {
        const Rect r = layout.rectOf(ref);
        layout.setRect(ref, Rect{offsetCoordinate(r.left, off.dx), offsetCoordinate(r.top, off.dy),
                                 offsetCoordinate(r.right, off.dx),
                                 offsetCoordinate(r.bottom, off.dy)});
    }
    for (const auto& [i, off] : out.lines) {
        const Point a = layout.lines->start(i);
        const Point b = layout.lines->end(i);
        layout.lines->setStart(i, Point{offsetCoordinate(a.x, off.dx), offsetCoordinate(a.y, off.dy)});
        layout.lines->setEnd(i, Point{offsetCoordinate(b.x, off.dx), offsetCoordinate(b.y, off.dy)});
    }
    doc.setModified();
    doc.updateAllViews();
    return int(out.objects.size() + out.lines.size());
}

} // namespace LayoutEdits
