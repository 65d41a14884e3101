#pragma once

#include "base/Geometry.h"

class CORINOTEDoc;

// Quarter turns of a text region (its writing direction and its rectangle) and of the
// background pictures of regions and sheets. No undo snapshot is taken here.
namespace RegionTurn {

// The rectangle of a region written at `angle` (0, 900, 1800, 2700) turned a quarter
// about the corner that is its top-left corner when upright, so that four turns give it
// back exactly. Other angles leave it as it is.
Rect turned(const Rect& r, int angle, bool clockwise);

// `r` moved the least needed to lie on `paper` (both y up), its size kept; where it is
// larger than the paper its left and top edges go onto the paper's.
Rect keptOn(const Rect& r, const Rect& paper);

// The next angle of the cycle 0 → 900 → 1800 → 2700 (clockwise) or back; other values
// stay as they are.
int nextAngle(int angle, bool clockwise);

// The next picture rotation of the cycle 0, 90, 180, 270 (degrees, clockwise).
int nextPictureRotation(int rotation, bool clockwise);

// Turns the selected text region of the layout being edited: its font angle, its
// rectangle and its background picture. A region that lay on the paper stays on it
// (moved back by keptOn() where the turn would push it over an edge). False when no region is selected or its angle
// is not a quarter turn.
bool turnRegion(CORINOTEDoc& doc, bool clockwise);

// Turns the background picture of the selected region. False without one.
bool turnRegionPicture(CORINOTEDoc& doc, bool clockwise);

// The sheet whose background picture the sheet commands turn: the selected sheet in
// template mode, the current sheet in data mode; the first sheet when sheets do not keep
// backgrounds of their own. -1 when there is none.
int pictureSheet(const CORINOTEDoc& doc);

// Turns that sheet's background picture. False when it has none.
bool turnSheetPicture(CORINOTEDoc& doc, bool clockwise);

} // namespace RegionTurn
