#include "GroupArrange.h"

#include "EditLayout.h"

#include "model/CORINOTEDoc.h"

#include <algorithm>

namespace GroupArrange {

namespace {

Rect moved(const Rect& r, qint64 dx, qint64 dy)
{
    return Rect{offsetCoordinate(r.left, dx), offsetCoordinate(r.top, dy), offsetCoordinate(r.right, dx), offsetCoordinate(r.bottom, dy)};
}

// The group members that name an object of the page, in order.
QList<ObjectRef> members(const CORINOTEDoc& doc, const EditLayout& layout)
{
    QList<ObjectRef> refs;
    for (const ObjectRef& r : doc.selection().group)
        if (layout.contains(r))
            refs.append(r);
    return refs;
}

Rect aligned(const Rect& e, const Rect& r, Align how)
{
    switch (how) {
    case Align::Left:
        return moved(e, qint64(r.left) - e.left, 0);
    case Align::HorizontalCentre:
        return moved(e, (qint64(r.left) + (qint64(r.right) - r.left) / 2) -
                            (qint64(e.left) + (qint64(e.right) - e.left) / 2),
                     0);
    case Align::Right:
        return moved(e, qint64(r.right) - e.right, 0);
    case Align::Top:
        return moved(e, 0, qint64(r.top) - e.top);
    case Align::VerticalCentre:
        return moved(e, 0,
                     (qint64(r.top) + (qint64(r.bottom) - r.top) / 2) -
                         (qint64(e.top) + (qint64(e.bottom) - e.top) / 2));
    case Align::Bottom:
        return moved(e, 0, qint64(r.bottom) - e.bottom);
    case Align::SameWidth:
        return Rect{e.left, e.top, offsetCoordinate(e.left, qint64(r.right) - r.left), e.bottom};
    case Align::SameHeight:
        return Rect{e.left, e.top, e.right, offsetCoordinate(e.top, qint64(r.bottom) - r.top)};
    case Align::SameSize:
        return Rect{e.left, e.top, offsetCoordinate(e.left, qint64(r.right) - r.left),
                    offsetCoordinate(e.top, qint64(r.bottom) - r.top)};
    }
    return e;
}

Rect paperOf(const CORINOTEDoc& doc, bool templateMode)
{
    return templateMode ? doc.labelTemplate().paperRect : doc.scalars().paperRect;
}

} // namespace

bool align(CORINOTEDoc& doc, Align how)
{
    EditLayout layout = EditLayout::of(doc);
    const QList<ObjectRef> group = members(doc, layout);
    if (group.size() < 2)
        return false;
    const Rect reference = layout.rectOf(group.last());
    for (int i = 0; i + 1 < group.size(); ++i)
        layout.setRect(group.at(i), aligned(layout.rectOf(group.at(i)), reference, how));
    doc.selection().clearGroup();
    return true;
}

bool centreOnPaper(CORINOTEDoc& doc, ObjectRef::Kind kind, bool horizontally)
{
    EditLayout layout = EditLayout::of(doc);
    QList<ObjectRef> targets = members(doc, layout);
    if (targets.isEmpty()) {
        const int selected = kind == ObjectRef::SheetKind ? doc.selection().sheet
                                                          : doc.selection().textRect;
        const ObjectRef ref{kind, selected};
        if (layout.contains(ref))
            targets.append(ref);
    }
    if (targets.isEmpty())
        return false;
    qint64 minLeft = INT64_MAX, maxRight = INT64_MIN, maxTop = INT64_MIN, minBottom = INT64_MAX;
    for (const ObjectRef& r : std::as_const(targets)) {
        const Rect e = layout.rectOf(r);
        minLeft = std::min<qint64>(minLeft, e.left);
        maxRight = std::max<qint64>(maxRight, e.right);
        maxTop = std::max<qint64>(maxTop, e.top);
        minBottom = std::min<qint64>(minBottom, e.bottom);
    }
    const Rect p = paperOf(doc, layout.templateMode);
    const qint64 d = horizontally ? (qint64(p.right) - p.left - maxRight - minLeft) / 2
                                  : (qint64(p.bottom) - p.top - minBottom - maxTop) / 2;
    for (const ObjectRef& r : std::as_const(targets))
        layout.setRect(r, moved(layout.rectOf(r), horizontally ? d : 0, horizontally ? 0 : d));
    return true;
}

bool distribute(CORINOTEDoc& doc, bool horizontally)
{
    EditLayout layout = EditLayout::of(doc);
    const QList<ObjectRef> group = members(doc, layout);
    const int n = group.size();
    if (n < 3)
        return false;
    QList<Rect> r;
    for (const ObjectRef& ref : group)
        r.append(layout.rectOf(ref));
    const Rect first = r.first();
    const Rect last = r.last();
    if (horizontally) {
        qint64 sum = 0;
        for (const Rect& e : std::as_const(r))
            sum += qint64(e.right) - e.left;
        const auto place = [&](int k, qint64 left) {
            const qint64 width = qint64(r[k].right) - r[k].left;
            r[k].left = offsetCoordinate(left, 0);
            r[k].right = offsetCoordinate(left, width);
        };
        if (first.left < last.right) {
            const qint64 g = (qint64(last.right) - first.left - sum) / (n - 1);
            for (int k = 1; k < n; ++k)
                place(k, qint64(r[k - 1].right) + g);
        } else {
            const qint64 g = (qint64(first.right) - sum - last.left) / (n - 1);
            for (int k = n - 2; k >= 0; --k)
                place(k, qint64(r[k + 1].right) + g);
        }
    } else {
        qint64 sum = 0;
        for (const Rect& e : std::as_const(r))
            sum += qint64(e.bottom) - e.top;
        const auto place = [&](int k, qint64 top) {
            const qint64 height = qint64(r[k].bottom) - r[k].top;
            r[k].top = offsetCoordinate(top, 0);
            r[k].bottom = offsetCoordinate(top, height);
        };
        if (last.top < first.top) {
            const qint64 g = (qint64(last.bottom) - first.top - sum) / (n - 1);
            for (int k = 1; k < n; ++k)
                place(k, qint64(r[k - 1].bottom) + g);
        } else {
            const qint64 g = (qint64(first.bottom) - last.top - sum) / (n - 1);
            for (int k = n - 2; k >= 0; --k)
                place(k, qint64(r[k + 1].bottom) + g);
        }
    }
    for (int k = 0; k < n; ++k)
        layout.setRect(group.at(k), r.at(k));
    return true;
}

} // namespace GroupArrange
