#pragma once

#include "model/ObjectRef.h"

#include <QList>

class CORINOTEDoc;

// Arranging sheets and text regions of the layout being edited against each other and
// against the paper. The group is the Ctrl+click group of the selection; its last member
// is the reference. None of these takes an undo snapshot: the commands do.
namespace GroupArrange {

enum class Align
{
    Left,
    HorizontalCentre,
    Right,
    Top,
    VerticalCentre,
    Bottom,
    SameWidth,
    SameHeight,
    SameSize,
};

// Aligns every group member but the last to the last one (or gives it the last one's
// width, height or both), in list order, then empties the group. False (nothing done)
// with fewer than two members on the page.
bool align(CORINOTEDoc& doc, Align how);

// Centres the group's bounding box (or, with no group, the selected object of the kind)
// horizontally or vertically on the paper. False when there is nothing to move.
bool centreOnPaper(CORINOTEDoc& doc, ObjectRef::Kind kind, bool horizontally);

// Spaces the group's members evenly between the first and the last, keeping their sizes:
// from the first towards the last member, or from the last back when the group runs the
// other way. Fewer than three members: nothing (false).
bool distribute(CORINOTEDoc& doc, bool horizontally);

} // namespace GroupArrange
