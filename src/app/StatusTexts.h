#pragma once

#include "base/Geometry.h"

#include <QString>

#include <optional>

class CORINOTEDoc;

// The texts of the status bar panes and of the page indicator.
namespace StatusTexts {

// The idle message of the status bar: "レディ".
QString ready();

// The cursor pane: "X = %.1fmm, Y = %.1fmm" for a pointer at paper point p (y up), so Y
// reads as millimetres below the paper's top edge; "カーソルの現在座標" when the pointer
// is outside the drawing view.
QString cursor(const std::optional<Point>& p);

// The selection pane: "X = …mm, Y = …mm, 縦 = …mm, 横 = …mm" of a rectangle (left, top,
// width, height in millimetres), or "選択されている領域" when nothing is selected.
QString selection(const std::optional<Rect>& r);

// The rectangle the selection pane shows: the selected text region's, else the selected
// sheet's, from the template in template mode and the data-mode layout otherwise.
std::optional<Rect> selectedRect(const CORINOTEDoc& doc);

// The page indicator " % 4d / % 4d ページ ".
QString pageIndicator(int current, int count);

// The texts that fix each pane's width: the widest text the pane shows.
QString cursorPaneSample();
QString selectionPaneSample();
QString templatePaneSample();

} // namespace StatusTexts
