#pragma once

#include "base/Geometry.h"

class CORINOTEDoc;

// Turns the template into data-mode pages.
namespace PageBuilder {

// Page 1 as a copy of the template: its paper, flags, sheets, ruled lines and text
// regions (texts empty, on sheet No. 1). The design is not repeated on other sheets.
void copyTemplate(CORINOTEDoc& doc);

// Appends, for every sheet but the first, a copy of the template's regions mapped from
// sheet No. 1's rectangle to that sheet's (texts empty, sheet numbers 2 … N).
void repeatFirstSheetDesign(CORINOTEDoc& doc);

// Page 1 built whole: copyTemplate() then repeatFirstSheetDesign().
void buildPageOne(CORINOTEDoc& doc);

// Maps a rectangle drawn on sheet `from` to sheet `to`, scaling it with the sheets' sizes
// and truncating every coordinate toward zero as it is computed. A sheet of zero width or
// height keeps the size along that axis.
Rect mapBetweenSheets(const Rect& r, const Rect& from, const Rect& to);

} // namespace PageBuilder
