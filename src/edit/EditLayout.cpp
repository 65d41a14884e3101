#include "EditLayout.h"

#include "model/CORINOTEDoc.h"

#include <algorithm>

EditLayout EditLayout::of(CORINOTEDoc& doc)
{
    EditLayout l;
    l.templateMode = doc.templateMode != 0;
    if (l.templateMode) {
        CLabelSheetTemplate& t = doc.labelTemplate();
        l.sheets = &t.sheets;
        l.regions = &t.regions;
        l.lines = &t.keisenns;
    } else {
        l.sheets = &doc.sheets();
        l.regions = &doc.textRects();
        l.lines = &doc.keisenns();
    }
    l.objects = PageObjects::of(doc, l.templateMode ? 1 : doc.currentPage);
    return l;
}

bool EditLayout::contains(const ObjectRef& ref) const
{
    return ref.kind == ObjectRef::SheetKind ? objects.hasSheet(ref.index)
                                            : objects.hasRegion(ref.index);
}

Rect EditLayout::rectOf(const ObjectRef& ref) const
{
    if (!contains(ref))
        return Rect();
    return ref.kind == ObjectRef::SheetKind ? sheets->rect(ref.index) : regions->rect(ref.index);
}

void EditLayout::setRect(const ObjectRef& ref, const Rect& rect)
{
    if (!contains(ref))
        return;
    if (ref.kind == ObjectRef::SheetKind)
        sheets->setRect(ref.index, rect);
    else
        regions->setRect(ref.index, rect);
}

Rect normalised(const Rect& r)
{
    return Rect{std::min(r.left, r.right), std::max(r.top, r.bottom), std::max(r.left, r.right),
                std::min(r.top, r.bottom)};
}
