#pragma once

#include "base/FontRecord.h"
#include "base/Geometry.h"

#include <QString>

class TextMeasurer;
class TextRectFamily;

// Fit region to text: sizes a text region to its one line of text, the font height being
// the region's cross size (its height for horizontal text, its width for text turned a
// quarter turn, rotations 900 and 2700 taken from the font's orientation).
//
// Widths include the region's character spacing, added after every character, and are
// compared with the span plus a slack of half an average byte width.
// - Enlarge lengthens the region at the end its text runs to until the text fits.
// - Shrink lowers the font height 1 mm at a time, down to no less than 20, until the text
//   fits (or it cannot get smaller), then narrows the region's cross size to that height
//   around its centre line; the length along the line stays.
// A region that already fits is left alone. Without a measurer nothing changes.
class RegionFitter
{
public:
    enum Action
    {
        Shrink = 1,
        Enlarge = 2
    };

    // Fits `rect` (and, for Shrink, the font's height) to the text. Any other action, or
    // no measurer, leaves both alone. Returns whether the rectangle or font changed.
    static bool fit(const QString& text, Rect& rect, FontRecord& font, int charSpacing, int action,
                    const TextMeasurer* measurer);

    // Fits region i of a family in place with its own text, rectangle, font and spacing.
    static bool fitRegion(TextRectFamily& regions, int i, int action, const TextMeasurer* measurer);

    // Whether the text runs along the rectangle's height (orientation 900 or 2700).
    static bool runsVertically(const FontRecord& font);
    // The cross size: the width for 900 and 2700, the height otherwise.
    static qint64 crossSize(const Rect& rect, const FontRecord& font);
    // The span: the length along the line (height for 900 and 2700, width otherwise).
    static qint64 span(const Rect& rect, const FontRecord& font);
    // The text's extent in a font of the given height, spacing after every character.
    static qint64 extent(const QString& text, const FontRecord& font, int height, int charSpacing,
                         const TextMeasurer& measurer);
};
