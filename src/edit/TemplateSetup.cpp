#include "TemplateSetup.h"

#include "model/CLabelSheetTemplate.h"

#include <QPair>

#include <algorithm>
#include <vector>

RectFields RectFields::of(const Rect& r)
{
    return RectFields{r.left, -qint64(r.top), r.height(), r.width()};
}

Rect RectFields::toRect() const
{
    return Rect{qint32(x), qint32(-y), qint32(x + width), qint32(-y - height)};
}

LineFields LineFields::of(const Keisenn& line)
{
    return LineFields{line.start.x, -qint64(line.start.y),
                      line.end.x,   -qint64(line.end.y),
                      line.width,   line.color};
}

Point LineFields::start() const
{
    return Point{qint32(x1), qint32(-y1)};
}

Point LineFields::end() const
{
    return Point{qint32(x2), qint32(-y2)};
}

TemplateSetup TemplateSetup::of(const CLabelSheetTemplate& t)
{
    TemplateSetup s;
    s.paperHeight = -qint64(t.paperRect.bottom);
    s.paperWidth = t.paperRect.right;
    s.paperPicture = t.paperPicture;
    s.sheets = t.sheets;
    s.regions = t.regions;
    s.lines = t.keisenns;
    s.printSheetFrames = t.printSheetFrames;
    s.roundSheetCorners = t.roundSheetCorners;
    s.printRuledLines = t.printRuledLines;
    return s;
}

Rect TemplateSetup::paperRect() const
{
    return Rect{0, 0, qint32(paperWidth), qint32(-paperHeight)};
}

bool TemplateSetup::matches(const CLabelSheetTemplate& t) const
{
    // A paper whose left or top edge is off the origin is rewritten at the origin, so it
    // only matches when it already lies there.
    return t.paperRect == paperRect() && t.paperPicture == paperPicture && t.sheets == sheets &&
           t.regions == regions && t.keisenns == lines && t.printSheetFrames == printSheetFrames &&
           t.roundSheetCorners == roundSheetCorners && t.printRuledLines == printRuledLines;
}

namespace {

template <typename Family>
bool sameObject(const Family& a, int i, const Family& b, int j)
{
    Family x;
    x.append(a.at(i));
    Family y;
    y.append(b.at(j));
    return x == y;
}

// What one side did to each object of the base: kept it (at `to`), changed it (into
// `to`), or deleted it (`to` = −1); and which of the side's objects are new, each before
// which base object it came (the base's size: at the end).
struct SideChanges
{
    QList<int> to;
    QList<bool> changed;
    QList<QPair<int, int>> added; // (before base object, side index)
};

// Objects have no names, so the side is lined up with the base by a longest common run
// of equal objects; between two equal ones the unequal are paired in order as changed,
// the base's left over deleted, the side's left over added.
template <typename Family>
SideChanges compare(const Family& base, const Family& side)
{
    const int n = base.size();
    const int m = side.size();
    std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
    for (int i = n - 1; i >= 0; --i)
        for (int j = m - 1; j >= 0; --j)
            common[i][j] = sameObject(base, i, side, j) ? common[i + 1][j + 1] + 1
                                                        : std::max(common[i + 1][j], common[i][j + 1]);
    SideChanges c;
    c.to.fill(-1, n);
    c.changed.fill(false, n);
    QList<int> gapBase;
    QList<int> gapSide;
    const auto closeGap = [&](int before) {
        const int paired = std::min(gapBase.size(), gapSide.size());
        for (int k = 0; k < paired; ++k) {
            c.to[gapBase[k]] = gapSide[k];
            c.changed[gapBase[k]] = true;
        }
        for (int k = paired; k < gapSide.size(); ++k)
            c.added.append({before, gapSide[k]});
        gapBase.clear();
        gapSide.clear();
    };
    int i = 0;
    int j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && sameObject(base, i, side, j)) {
            closeGap(i);
            c.to[i++] = j++;
        } else if (j >= m || (i < n && common[i + 1][j] >= common[i][j + 1])) {
            gapBase.append(i++);
        } else {
            gapSide.append(j++);
        }
    }
    closeGap(n);
    return c;
}

// The pages' changes to the objects they changed and the other side's to the rest; an
// object both changed (or one changed and the other deleted) goes to `pagesWin`, with
// its number in the base.
template <typename Family>
Family merged(const Family& edited, const Family& base, const Family& now,
              const std::function<bool(int)>& pagesWin)
{
    if (edited == base)
        return now;
    if (now == base || edited == now)
        return edited;
    const SideChanges e = compare(base, edited);
    const SideChanges o = compare(base, now);
    Family out;
    const auto addBefore = [&](int before) {
        for (const auto& [at, k] : o.added)
            if (at == before)
                out.append(now.at(k));
        for (const auto& [at, k] : e.added)
            if (at == before)
                out.append(edited.at(k));
    };
    for (int i = 0; i < base.size(); ++i) {
        addBefore(i);
        const bool pageTouched = e.changed[i] || e.to[i] < 0;
        const bool otherTouched = o.changed[i] || o.to[i] < 0;
        bool fromPages = pageTouched;
        if (pageTouched && otherTouched) {
            const bool same = e.to[i] >= 0 && o.to[i] >= 0
                                  ? sameObject(edited, e.to[i], now, o.to[i])
                                  : e.to[i] < 0 && o.to[i] < 0;
            fromPages = same || pagesWin(i);
        }
        const SideChanges& from = fromPages ? e : o;
        if (from.to[i] >= 0)
            out.append(fromPages ? edited.at(from.to[i]) : now.at(from.to[i]));
    }
    addBefore(base.size());
    return out;
}

} // namespace

TemplateSetup TemplateSetup::rebased(const TemplateSetup& edited, const TemplateSetup& base,
                                     const TemplateSetup& now, const Conflict& pagesWin)
{
    const auto ask = [&pagesWin](ObjectKind kind) {
        return std::function<bool(int)>([&pagesWin, kind](int index) {
            return pagesWin ? pagesWin(kind, index) : true;
        });
    };
    TemplateSetup out = now;
    if (edited.paperHeight != base.paperHeight || edited.paperWidth != base.paperWidth ||
        edited.paperPicture != base.paperPicture) {
        out.paperHeight = edited.paperHeight;
        out.paperWidth = edited.paperWidth;
        out.paperPicture = edited.paperPicture;
    }
    out.sheets = merged(edited.sheets, base.sheets, now.sheets, ask(ObjectKind::Sheet));
    out.regions = merged(edited.regions, base.regions, now.regions, ask(ObjectKind::Region));
    out.lines = merged(edited.lines, base.lines, now.lines, ask(ObjectKind::Line));
    if (edited.printSheetFrames != base.printSheetFrames ||
        edited.roundSheetCorners != base.roundSheetCorners ||
        edited.printRuledLines != base.printRuledLines) {
        out.printSheetFrames = edited.printSheetFrames;
        out.roundSheetCorners = edited.roundSheetCorners;
        out.printRuledLines = edited.printRuledLines;
    }
    return out;
}

bool TemplateSetup::operator==(const TemplateSetup& o) const
{
    return paperHeight == o.paperHeight && paperWidth == o.paperWidth &&
           paperPicture == o.paperPicture && sheets == o.sheets && regions == o.regions &&
           lines == o.lines && printSheetFrames == o.printSheetFrames &&
           roundSheetCorners == o.roundSheetCorners && printRuledLines == o.printRuledLines;
}
