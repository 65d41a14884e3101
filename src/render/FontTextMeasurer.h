#pragma once

#include "model/TextMeasurer.h"

#include <memory>

class TextShaper;

// The measurer of the installed fonts: the extent the renderer gives the text, through
// the same shaping (TextShaper) that draws it, so a region fitted to its text fits it on
// the screen and on paper alike. The character spacing is not included; it is added after
// every code point by the caller.
class FontTextMeasurer : public TextMeasurer
{
public:
    // Measures with its own shaper.
    FontTextMeasurer();
    // Measures with the given shaper (the renderer's), which must outlive the measurer.
    explicit FontTextMeasurer(TextShaper& shaper);
    ~FontTextMeasurer() override;

    int textExtent(const QString& text, const FontRecord& font, int crossSize) const override;

private:
    std::unique_ptr<TextShaper> mOwnShaper;
    TextShaper* mShaper;
};
