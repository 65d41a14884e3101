#pragma once

#include "base/FontRecord.h"

#include <QString>

// Measures text the way the renderer draws it. The layout code sizes regions through
// this interface, so it does not depend on how fonts are shaped.
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    // The extent of the text along its writing direction, in tenths of a millimetre, in
    // the given font with its height replaced by crossSize (the region's cross size).
    virtual int textExtent(const QString& text, const FontRecord& font, int crossSize) const = 0;
};
