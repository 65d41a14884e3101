#pragma once

#include <QtGlobal>

// Snapping of paper coordinates to the editing grid ("GRIDNUM": 0 none, 1, 5 or 10 mm).
namespace GridSnap {

// The multiple a grid unit rounds to, in 0.1 mm: 10, 50 or 100; 0 for no grid (any
// unit other than 1, 5 and 10).
int multipleOf(int gridUnit);

// Rounds v to the nearest multiple of the unit's step, halves away from zero
// (unit 1: 14 → 10, 15 → 20, −15 → −20). Without a grid v is returned unchanged.
qint32 snap(qint32 v, int gridUnit);

// Whether the mouse tool snaps the pointer position (the creation tools 0, 2, 4, 5, 7
// and 8); the selection tools and "no tool" show the pointer as it is.
bool toolSnaps(int editTool);

} // namespace GridSnap
