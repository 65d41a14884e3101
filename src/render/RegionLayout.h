#pragma once

#include "base/Geometry.h"

#include <QPointF>
#include <QString>

#include <functional>

// Where the one line (or two lines) of a text region goes, before anything is drawn.
//
// The font height is not a setting: it is the region's cross size, its height for
// rotations 0 and 1800 and its width for 900 and 2700; the span is the length along the
// line. When the text is wider than the span and two lines are allowed (template mode, or
// data mode with "TROD" = 3), the height is halved and the text split at its CP932 middle:
// at the first character boundary at or past half its byte length (a text of fewer than
// two bytes gives an empty first line). The alignment offset d is 0, (span - W) / 2 or
// span - W, truncated toward zero, negative when the text overhangs. The lines start at
// the top-left corner of their first character cell:
//
//   rotation  line 1               line 2 (two lines)                   cells extend
//   0         (left + d, top)      (left + d, top + (bottom - top) / 2)     down
//   900       (right, top - d)     (right - (right - left) / 2, top - d)    left
//   1800      (right - d, bottom)  (right - d, bottom - (bottom - top) / 2) up
//   2700      (left, bottom + d)   (left + (right - left) / 2, bottom + d)  right
struct RegionLayout
{
    // Extent of a text along the line in a font of the given height, character spacing
    // included.
    using Measure = std::function<int(const QString& text, int height)>;

    // Heights beyond this draw no text: no real region is 4 m across, and a font of that
    // size from a damaged file would only waste memory.
    static constexpr int MaxFontHeight = 40000;

    int rotation = 0; // 0, 900, 1800 or 2700
    int crossSize = 0;
    int span = 0;
    int fontHeight = 0; // the height used: the cross size, or its half for two lines
    bool twoLines = false;
    QString lines[2]; // one line: lines[0]
    int width = 0;    // W, the wider line with spacing
    int offset = 0;   // d
    QPointF starts[2];
    // Along-the-line scale of a squeezed line (below 1), else 1.
    qreal squeeze = 1;

    // Whether there is a font to draw with at all (a positive, sane height).
    bool drawable() const { return fontHeight > 0 && fontHeight <= MaxFontHeight; }

    static RegionLayout compute(const Rect& rect, int orientation, int alignment,
                                const QString& text, bool allowTwoLines, const Measure& measure);

    // A one-line text wider than the span is squeezed along its line to the span and
    // starts at the region's start edge; anything else stays as it is.
    void squeezeToSpan(const Rect& rect);

    // Below this squeeze a long address is broken onto two lines rather than squeezed.
    static constexpr qreal BreakBelowSqueeze = 0.7;
    // A one-line text that would be squeezed below BreakBelowSqueeze is broken at a natural
    // point (naturalBreak) onto two lines of half the cross size, both from the region's
    // start edge, the second set lower: a second column (a second row) starting
    // SecondLineIndent ems further along; the two are then squeezed alike if still too
    // long. Returns whether it broke the text.
    bool breakInTwo(const Rect& rect, const Measure& measure);
    static constexpr int SecondLineIndent = 2;

    // Where an address breaks naturally: at a space (before the building name), else after
    // the address number (the last 号, 番地 or 番 followed by more text, or the end of the
    // first run of digits and dashes followed by a name), else at the two-line rule's
    // middle. The index of the second line's first character (spaces at the break dropped
    // by the caller); 0 when the text cannot be broken.
    static int naturalBreak(const QString& text);

    // The rotation drawn for a stored orientation: 0, 900, 1800 or 2700; any other value
    // (not made by the program) is drawn unturned.
    static int rotationOf(int orientation);

    // The UTF-16 index where the two-line rule splits the text.
    static int splitIndex(const QString& text);
};
