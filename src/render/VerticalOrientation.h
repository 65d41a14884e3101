#pragma once

#include <QtGlobal>

// The Unicode vertical orientation of a character (UAX #50): how it is set in a vertical
// line. Upright characters stand as in horizontal text; rotated ones are turned a quarter
// turn clockwise; the two "transformed" classes use the font's vertical form when it has
// one, and otherwise fall back to upright (TransformedUpright) or rotated
// (TransformedRotated).
namespace VerticalOrientation {

enum Class
{
    Rotated,
    Upright,
    TransformedUpright,
    TransformedRotated
};

// The class of a code point; Rotated for anything outside the tables (the default of
// the property), including unpaired surrogates.
Class of(char32_t codePoint);

} // namespace VerticalOrientation
