#include "RegionFitter.h"

#include "base/TextCodec.h"
#include "model/TextMeasurer.h"
#include "model/TextRect.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kShrinkStep = 10;  // 1 mm
constexpr int kShrinkFloor = 29; // the height is lowered only while above this

// Coordinates stay 32-bit: a measurer gone wild must not wrap a rectangle around.
qint32 clamp32(qint64 v)
{
    return qint32(std::clamp<qint64>(v, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}

// Characters as drawn: a surrogate pair is one character.
int characterCount(const QString& text)
{
    int n = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++n;
    }
    return n;
}

// Half an average byte width: the room left after the last character.
qint64 slackOf(qint64 width, int bytes)
{
    return bytes > 0 ? width / bytes / 2 : 0;
}

// The height Shrink ends at: lowered 1 mm at a time while above 29, stopping at the
// first height whose text fits the span. Every height a dialog accepts (up to 4200) is
// walked step by step; a damaged file's absurd height would take hundreds of millions of
// steps, so beyond kMaxLinearSteps the same first fitting step is found by bisection
// (the same answer for any measurer whose widths grow with the height).
int shrunkHeight(const QString& text, const FontRecord& font, int height, qint64 length,
                 int charSpacing, int bytes, const TextMeasurer& measurer)
{
    if (height <= kShrinkFloor)
        return height;
    const auto fitsAt = [&](int h) {
        const qint64 w = RegionFitter::extent(text, font, h, charSpacing, measurer);
        return length >= w + slackOf(w, bytes);
    };
    // Steps k = 1 … last lower the height to height − 10k; the last one ends in 20 … 29.
    const qint64 last = (qint64(height) - kShrinkFloor + kShrinkStep - 1) / kShrinkStep;
    const auto heightAt = [&](qint64 k) { return int(height - k * kShrinkStep); };
    constexpr qint64 kMaxLinearSteps = 512;
    if (last <= kMaxLinearSteps) {
        for (qint64 k = 1; k <= last; ++k) {
            if (fitsAt(heightAt(k)))
                return heightAt(k);
        }
        return heightAt(last);
    }
    if (length <= 0 || !fitsAt(heightAt(last)))
        return heightAt(last);
    qint64 lo = 1, hi = last; // hi fits
    while (lo < hi) {
        const qint64 mid = lo + (hi - lo) / 2;
        if (fitsAt(heightAt(mid)))
            hi = mid;
        else
            lo = mid + 1;
    }
    return heightAt(hi);
}

} // namespace

bool RegionFitter::runsVertically(const FontRecord& font)
{
    return font.orientation == 900 || font.orientation == 2700;
}

qint64 RegionFitter::crossSize(const Rect& rect, const FontRecord& font)
{
    return runsVertically(font) ? rect.width() : rect.height();
}

qint64 RegionFitter::span(const Rect& rect, const FontRecord& font)
{
    return runsVertically(font) ? rect.height() : rect.width();
}

qint64 RegionFitter::extent(const QString& text, const FontRecord& font, int height,
                            int charSpacing, const TextMeasurer& measurer)
{
    if (text.isEmpty())
        return 0;
    return qint64(measurer.textExtent(text, font, height)) +
           qint64(charSpacing) * characterCount(text);
}

bool RegionFitter::fit(const QString& text, Rect& rect, FontRecord& font, int charSpacing,
                       int action, const TextMeasurer* measurer)
{
    if (!measurer || (action != Shrink && action != Enlarge))
        return false;

    const Rect before = rect;
    const FontRecord fontBefore = font;
    const int height = clamp32(crossSize(rect, font));
    font.height = height;
    const qint64 length = span(rect, font);
    const int bytes = TextCodec::byteLength(text);
    qint64 w = extent(text, font, height, charSpacing, *measurer);
    const qint64 slack = slackOf(w, bytes);
    if (length >= w + slack)
        return font != fontBefore;

    if (action == Enlarge) {
        const qint64 need = w + slack;
        switch (font.orientation) {
        case 900:
            rect.bottom = clamp32(qint64(rect.top) - need);
            break;
        case 1800:
            rect.left = clamp32(qint64(rect.right) - need);
            break;
        case 2700:
            rect.top = clamp32(qint64(rect.bottom) + need);
            break;
        default:
            rect.right = clamp32(qint64(rect.left) + need);
            break;
        }
        return rect != before || font != fontBefore;
    }

    const int h = shrunkHeight(text, font, height, length, charSpacing, bytes, *measurer);
    font.height = h;
    if (runsVertically(font)) {
        const qint64 inset = (rect.width() - h) / 2;
        rect.left = clamp32(rect.left + inset);
        rect.right = clamp32(rect.right - inset);
    } else {
        const qint64 inset = (rect.height() - h) / 2;
        rect.top = clamp32(rect.top - inset);
        rect.bottom = clamp32(rect.bottom + inset);
    }
    return rect != before || font != fontBefore;
}

bool RegionFitter::fitRegion(TextRectFamily& regions, int i, int action,
                             const TextMeasurer* measurer)
{
    if (i < 0 || i >= regions.size())
        return false;
    Rect rect = regions.rect(i);
    FontRecord font = regions.font(i);
    if (!fit(regions.text(i), rect, font, regions.charSpacing(i), action, measurer))
        return false;
    regions.setRect(i, rect);
    regions.setFont(i, font);
    return true;
}
