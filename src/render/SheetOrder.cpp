#include "SheetOrder.h"

#include "model/CORINOTEDoc.h"
#include "model/PageBuilder.h"

#include <algorithm>
#include <climits>

namespace {

int clampToInt(qint64 v)
{
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}

} // namespace

SheetOrder::SheetOrder(const CLabelSheetTemplate& t) : SheetOrder(t.paperRect, t.sheets.rect()) {}

SheetOrder::SheetOrder(const Rect& paper, const QList<Rect>& sheets)
    : mPaper(paper), mSheets(sheets)
{
}

QPoint SheetOrder::mapToPicture(qint32 x, qint32 y, const Rect& paper, const QRect& area)
{
    // The paper's own extent picks the scale; the rectangle is read as it is stored, so a
    // paper given with its corners swapped is measured by its size all the same.
    const bool large =
        qAbs(paper.width()) > SmallPaperWidth || qAbs(paper.height()) > SmallPaperHeight;
    const qint64 unitsX = large ? LargePaperWidth : SmallPaperWidth;
    const qint64 unitsY = large ? LargePaperHeight : SmallPaperHeight;
    // 64-bit products: coordinates come from files and may be anywhere in the int range.
    // Integer division truncates toward zero, as the miniature asks.
    const qint64 px = qint64(area.left()) + qint64(x) * area.width() / unitsX;
    const qint64 py = qint64(area.top()) - qint64(y) * area.height() / unitsY;
    return QPoint(clampToInt(px), clampToInt(py));
}

QRect SheetOrder::miniature(const Rect& r, const Rect& paper, const QRect& area)
{
    const QPoint a = mapToPicture(r.left, r.top, paper, area);
    const QPoint b = mapToPicture(r.right, r.bottom, paper, area);
    // Right and bottom are exclusive; a sheet thinner than a pixel still gets one, or it
    // could never be picked and the order never finished.
    const int left = std::min(a.x(), b.x());
    const int top = std::min(a.y(), b.y());
    const int width = std::max(1, std::max(a.x(), b.x()) - left);
    const int height = std::max(1, std::max(a.y(), b.y()) - top);
    return QRect(left, top, width, height);
}

QRect SheetOrder::sheetMiniature(int sheet, const QRect& area) const
{
    if (sheet < 0 || sheet >= sheetCount())
        return QRect();
    return miniature(mSheets.at(sheet), mPaper, area);
}

int SheetOrder::sheetAt(const QPoint& point, const QRect& area) const
{
    for (int i = 0; i < sheetCount(); ++i) {
        if (mChosen.contains(i))
            continue;
        if (sheetMiniature(i, area).contains(point))
            return i;
    }
    return -1;
}

int SheetOrder::chooseAt(const QPoint& point, const QRect& area)
{
    const int sheet = sheetAt(point, area);
    if (sheet >= 0)
        mChosen.append(sheet);
    return sheet;
}

bool SheetOrder::choose(int sheet)
{
    if (sheet < 0 || sheet >= sheetCount() || mChosen.contains(sheet))
        return false;
    mChosen.append(sheet);
    return true;
}

bool SheetOrder::isPermutation(const QList<int>& order, int count)
{
    if (order.size() != count)
        return false;
    QList<bool> seen(count, false);
    for (int i : order) {
        if (i < 0 || i >= count || seen.at(i))
            return false;
        seen[i] = true;
    }
    return true;
}

bool SheetOrder::firstSheetChanges(const CLabelSheetTemplate& t, const QList<int>& order)
{
    if (order.isEmpty() || t.sheets.isEmpty())
        return false;
    return t.sheets.rect(order.first()) != t.sheets.rect(0);
}

bool SheetOrder::apply(CORINOTEDoc& doc, const QList<int>& order, const MoveQuestion& askMove)
{
    CLabelSheetTemplate& t = doc.labelTemplate();
    if (!isPermutation(order, t.sheets.size()))
        return false;

    doc.takeUndoSnapshot(QStringLiteral("シートオーダー"));

    // The sheets are rebuilt whole from their one-object form, so every per-sheet array
    // (background, picture, bleed, reserved values …) travels with its rectangle.
    const bool firstChanged = firstSheetChanges(t, order);
    const Rect oldFirst = t.sheets.rect(0);
    SheetFamily reordered;
    for (int i : order)
        reordered.append(t.sheets.at(i));
    t.sheets = reordered;

    if (firstChanged && !t.regions.isEmpty() && askMove && askMove()) {
        const Rect newFirst = t.sheets.rect(0);
        for (int r = 0; r < t.regions.size(); ++r)
            t.regions.setRect(r,
                              PageBuilder::mapBetweenSheets(t.regions.rect(r), oldFirst, newFirst));
    }

    doc.selection().clear();
    doc.scalars().currentSheetNo = 1;
    doc.setModified(true);
    doc.updateAllViews();
    return true;
}
