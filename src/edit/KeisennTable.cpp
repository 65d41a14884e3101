#include "KeisennTable.h"

#include "model/CORINOTEDoc.h"

#include <algorithm>
#include <cmath>

KeisennTableOptions KeisennTableOptions::bounded() const
{
    KeisennTableOptions o = *this;
    o.rows = std::clamp(rows, 1, 100);
    o.columns = std::clamp(columns, 1, 100);
    o.width = std::clamp(width, 0, 50);
    for (int* gap : {&o.gapTop, &o.gapBottom, &o.gapLeft, &o.gapRight})
        *gap = std::clamp(*gap, 0, 300);
    return o;
}

namespace KeisennTable {

void create(CORINOTEDoc& doc, const Rect& dragged, const KeisennTableOptions& requested,
            const TextMeasurer* measurer)
{
    const KeisennTableOptions o = requested.bounded();
    KeisennFamily& lines = doc.labelTemplate().keisenns;
    const double l = dragged.left;
    const double t = dragged.top;
    const double r = dragged.right;
    const double b = dragged.bottom;
    const auto line = [&](double x1, double y1, double x2, double y2) {
        Keisenn k;
        k.start = Point{truncatedCoordinate(x1), truncatedCoordinate(y1)};
        k.end = Point{truncatedCoordinate(x2), truncatedCoordinate(y2)};
        k.width = o.width;
        k.color = o.color;
        lines.append(k);
    };
    const auto sheet = [&](double x1, double y1, double x2, double y2) {
        doc.addTemplateSheet(Rect{truncatedCoordinate(x1), truncatedCoordinate(y1), truncatedCoordinate(x2), truncatedCoordinate(y2)});
    };

    if (o.frameTop)
        line(l, t, r, t);
    if (o.frameBottom)
        line(l, b, r, b);
    if (o.frameLeft)
        line(l, t, l, b);
    if (o.frameRight)
        line(r, t, r, b);

    const double h = (t - b) / o.rows;
    if (!o.noInnerLines) {
        for (int i = 1; i < o.rows; ++i)
            line(l, t - i * h, r, t - i * h);
    }
    if (o.sheetPerRow && !o.sheetPerColumn) {
        for (int i = 0; i < o.rows; ++i)
            sheet(l, t - i * h, r, t - (i + 1) * h);
    }
    const double w = (r - l) / o.columns;
    if (!o.noInnerLines) {
        for (int j = 1; j < o.columns; ++j)
            line(l + j * w, t, l + j * w, b);
    }
    if (o.sheetPerColumn && !o.sheetPerRow) {
        for (int j = 0; j < o.columns; ++j)
            sheet(l + j * w, t, l + (j + 1) * w, b);
    }
    if (o.sheetPerRow && o.sheetPerColumn) {
        for (int i = 0; i < o.rows; ++i)
            for (int j = 0; j < o.columns; ++j)
                sheet(l + j * w, t - i * h, l + (j + 1) * w, t - (i + 1) * h);
    }
    if (o.regionPerCell) {
        const bool vertical = h - o.gapTop - o.gapBottom > 0;
        const bool horizontal = w - o.gapLeft - o.gapRight > 0;
        const double gt = vertical ? o.gapTop : 0;
        const double gb = vertical ? o.gapBottom : 0;
        const double gl = horizontal ? o.gapLeft : 0;
        const double gr = horizontal ? o.gapRight : 0;
        for (int i = 0; i < o.rows; ++i) {
            for (int j = 0; j < o.columns; ++j) {
                const Rect cell{truncatedCoordinate(l + j * w + gl), truncatedCoordinate(t - i * h - gt),
                                truncatedCoordinate(l + (j + 1) * w - gr), truncatedCoordinate(t - (i + 1) * h + gb)};
                doc.addTemplateTextRegion(cell, measurer);
            }
        }
    }
}

} // namespace KeisennTable
