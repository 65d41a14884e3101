#include "RectSplit.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace RectSplit {

namespace {

Grid bounded(Grid g)
{
    g.rows = std::clamp(g.rows, 1, 30);
    g.columns = std::clamp(g.columns, 1, 30);
    g.gapX = std::clamp(g.gapX, 0, 500);
    g.gapY = std::clamp(g.gapY, 0, 500);
    return g;
}

} // namespace

QList<Rect> cells(const Rect& r, const Grid& requested)
{
    Grid g = bounded(requested);
    const qint64 width = qint64(r.right) - r.left;
    const qint64 height = qint64(r.top) - r.bottom;
    if (width < qint64(g.columns) * g.gapX)
        g.gapX = 0;
    if (height < qint64(g.rows) * g.gapY)
        g.gapY = 0;
    const qint64 w = qint64(std::trunc(double(width - qint64(g.columns - 1) * g.gapX) / g.columns));
    const qint64 h = qint64(std::trunc(double(height - qint64(g.rows - 1) * g.gapY) / g.rows));
    QList<Rect> out;
    for (int i = 0; i < g.rows; ++i) {
        for (int j = 0; j < g.columns; ++j) {
            const qint64 left = r.left + j * (w + g.gapX);
            const qint64 top = r.top - i * (h + g.gapY);
            out.append(Rect{clampedCoordinate(left), clampedCoordinate(top), clampedCoordinate(left + w), clampedCoordinate(top - h)});
        }
    }
    return out;
}

QString check(const CORINOTEDoc& doc, const ObjectRef& target, const Grid& grid)
{
    const CLabelSheetTemplate& t = doc.labelTemplate();
    const int i = target.index;
    const bool sheet = target.kind == ObjectRef::SheetKind;
    if (i < 0 || i >= (sheet ? t.sheets.size() : t.regions.size()))
        return QString();
    const QList<Rect> parts = cells(sheet ? t.sheets.rect(i) : t.regions.rect(i), grid);
    for (const Rect& r : parts) {
        if (qint64(r.right) - r.left < MinimumPart || qint64(r.top) - r.bottom < MinimumPart)
            return QCoreApplication::translate(
                "RectSplit", "分割後の大きさが1mm未満になるため、分割できません。");
    }
    return QString();
}

bool split(CORINOTEDoc& doc, const ObjectRef& target, Grid grid)
{
    CLabelSheetTemplate& t = doc.labelTemplate();
    const int i = target.index;
    const bool sheet = target.kind == ObjectRef::SheetKind;
    if (i < 0 || i >= (sheet ? t.sheets.size() : t.regions.size()))
        return false;
    const QList<Rect> rects = cells(sheet ? t.sheets.rect(i) : t.regions.rect(i), grid);
    for (int k = 1; k < rects.size(); ++k) {
        if (sheet)
            t.sheets.insert(i + k, t.sheets.at(i));
        else
            t.regions.insert(i + k, t.regions.at(i));
        if (doc.templateMode)
            doc.selection().inserted(target.kind, i + k);
    }
    for (int k = 0; k < rects.size(); ++k) {
        if (sheet)
            t.sheets.setRect(i + k, rects.at(k));
        else
            t.regions.setRect(i + k, rects.at(k));
    }
    return true;
}

} // namespace RectSplit
