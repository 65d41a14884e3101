#pragma once

class CORINOTEDoc;

// Zooming the document's view: one step of the zoom table per command or per notch of
// the mouse wheel, never beyond its ends (index 0 … 5, factors 0.5 … 5.0).
class ZoomControl
{
public:
    // One wheel notch in QWheelEvent's angle units.
    static constexpr int Notch = 120;

    static bool canZoomIn(const CORINOTEDoc& doc);
    static bool canZoomOut(const CORINOTEDoc& doc);
    // One step; false (and nothing changed) at the end of the table.
    static bool zoomIn(CORINOTEDoc& doc);
    static bool zoomOut(CORINOTEDoc& doc);

    // A wheel roll: forward (positive) zooms in, backward zooms out, one step per whole
    // notch; fine-grained wheels add up until a notch is complete. A roll that reverses
    // direction drops what was left of the other direction. Returns whether the zoom
    // changed.
    bool wheel(CORINOTEDoc& doc, int angleDelta);

private:
    int mPending = 0;
};
