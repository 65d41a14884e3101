#pragma once

#include "base/Geometry.h"

#include <QtGlobal>

class CORINOTEDoc;
class TextMeasurer;

// A ruled-line table (罫線（表）): not an object of its own, but ruled lines, and where
// asked sheets and text regions, added to the template in a dragged rectangle.
struct KeisennTableOptions
{
    bool frameTop = true;
    bool frameBottom = true;
    bool frameLeft = true;
    bool frameRight = true;
    int rows = 1;    // 1..100
    int columns = 1; // 1..100
    qint32 color = 0;
    int width = 1;             // 0..50
    bool noInnerLines = false; // 罫線なし（枠線除く）
    bool sheetPerRow = false;
    bool sheetPerColumn = false;
    bool regionPerCell = false;
    int gapTop = 0; // 0..300 each
    int gapBottom = 0;
    int gapLeft = 0;
    int gapRight = 0;

    // The options with every number brought into its range.
    KeisennTableOptions bounded() const;
};

namespace KeisennTable {

// Adds the table in the rectangle as dragged (left L, top T, right R, bottom B, not
// normalised), in this order: the checked frame lines (top, bottom, left, right); the
// inner horizontal lines; one sheet per row (rows only); the inner vertical lines; one
// sheet per column (columns only) or per cell (both); one text region per cell inset by
// the gaps (a pair of gaps that leaves no room is taken as 0). Row height and column
// width are real numbers; every coordinate is truncated toward zero. Sheets and regions
// are made as the tools make them (the measurer sizes a region to the new-object text
// when the settings ask; it may be null).
void create(CORINOTEDoc& doc, const Rect& dragged, const KeisennTableOptions& options,
            const TextMeasurer* measurer = nullptr);

} // namespace KeisennTable
