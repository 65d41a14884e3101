#include "HitTest.h"

#include "EditLayout.h"

#include "model/Keisenn.h"
#include "model/Sheet.h"
#include "model/TextRect.h"

#include <QtMath>

#include <algorithm>

namespace HitTest {

bool inRect(const Rect& r, const QPointF& p)
{
    const qreal left = std::min(r.left, r.right);
    const qreal right = std::max(r.left, r.right);
    const qreal top = std::max(r.top, r.bottom);
    const qreal bottom = std::min(r.top, r.bottom);
    return p.x() >= left && p.x() < right && p.y() <= top && p.y() > bottom;
}

bool onLine(const Point& a, const Point& b, const QPointF& p)
{
    const auto distance = [](qreal x1, qreal y1, qreal x2, qreal y2) {
        return std::hypot(x1 - x2, y1 - y2);
    };
    const qreal excess = distance(p.x(), p.y(), a.x, a.y) + distance(p.x(), p.y(), b.x, b.y) -
                         distance(a.x, a.y, b.x, b.y);
    return excess > -0.5 && excess < 0.5;
}

namespace {

// The first hit index after `after`, else the first hit at all.
template <typename Hit> int firstHitAfter(int first, int count, int after, Hit hit)
{
    int firstHit = -1;
    for (int i = first; i < first + count; ++i) {
        if (!hit(i))
            continue;
        if (i > after)
            return i;
        if (firstHit < 0)
            firstHit = i;
    }
    return firstHit;
}

} // namespace

int sheetAt(const EditLayout& layout, const QPointF& p, int after)
{
    const PageObjects& o = layout.objects;
    return firstHitAfter(o.firstSheet, o.sheetCount, after,
                         [&](int i) { return inRect(layout.sheets->rect(i), p); });
}

int regionAt(const EditLayout& layout, const QPointF& p, int displayedLayer, int after)
{
    const PageObjects& o = layout.objects;
    return firstHitAfter(o.firstRegion, o.regionCount, after, [&](int i) {
        return (displayedLayer == 0 || layout.regions->layer(i) == displayedLayer) &&
               inRect(layout.regions->rect(i), p);
    });
}

int lineAt(const EditLayout& layout, const QPointF& p, int except)
{
    const PageObjects& o = layout.objects;
    for (int i = o.firstLine; i < o.firstLine + o.lineCount; ++i) {
        if (i != except && onLine(layout.lines->start(i), layout.lines->end(i), p))
            return i;
    }
    return -1;
}

namespace {

template <typename Accept>
int firstLine(const EditLayout& layout, const QPointF& p, const QList<int>& except, Accept accept)
{
    const PageObjects& o = layout.objects;
    for (int i = o.firstLine; i < o.firstLine + o.lineCount; ++i) {
        const Point a = layout.lines->start(i);
        const Point b = layout.lines->end(i);
        if (!except.contains(i) && accept(a, b) && onLine(a, b, p))
            return i;
    }
    return -1;
}

} // namespace

int horizontalLineAt(const EditLayout& layout, const QPointF& p, const QList<int>& except)
{
    return firstLine(layout, p, except, [](const Point& a, const Point& b) { return a.y == b.y; });
}

int verticalLineAt(const EditLayout& layout, const QPointF& p, const QList<int>& except)
{
    return firstLine(layout, p, except, [](const Point& a, const Point& b) { return a.x == b.x; });
}

} // namespace HitTest
