#include "FontTextMeasurer.h"

#include "TextShaper.h"

FontTextMeasurer::FontTextMeasurer()
    : mOwnShaper(std::make_unique<TextShaper>()), mShaper(mOwnShaper.get())
{
}

FontTextMeasurer::FontTextMeasurer(TextShaper& shaper) : mShaper(&shaper) {}

FontTextMeasurer::~FontTextMeasurer() = default;

int FontTextMeasurer::textExtent(const QString& text, const FontRecord& font, int crossSize) const
{
    if (text.isEmpty() || crossSize <= 0)
        return 0;
    return mShaper->extent(text, font, crossSize);
}
