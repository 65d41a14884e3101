#include "TextShaper.h"

#include "FontResolver.h"
#include "ShapingFont.h"
#include "VerticalOrientation.h"

#include "base/FontRecord.h"
#include "base/TextCodec.h"

#include <hb.h>

#include <algorithm>
#include <iterator>

namespace {

const hb_feature_t kHorizontalFeatures[] = {
    {HB_TAG('k', 'e', 'r', 'n'), 0, 0, ~0u},
    {HB_TAG('l', 'i', 'g', 'a'), 0, 0, ~0u},
    {HB_TAG('c', 'l', 'i', 'g'), 0, 0, ~0u},
};
const hb_feature_t kVerticalFeatures[] = {
    {HB_TAG('v', 'e', 'r', 't'), 1, 0, ~0u},
    {HB_TAG('v', 'r', 't', '2'), 1, 0, ~0u},
    {HB_TAG('k', 'e', 'r', 'n'), 0, 0, ~0u},
    {HB_TAG('v', 'k', 'r', 'n'), 0, 0, ~0u},
};

char32_t codePointAt(const QString& text, int i, int* length)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *length = 2;
        return QChar::surrogateToUcs4(c, text.at(i + 1));
    }
    *length = 1;
    return c.unicode();
}

int codePointCount(const QString& text, int from, int to)
{
    int n = 0;
    for (int i = from; i < to; ++i) {
        if (!(text.at(i).isLowSurrogate() && i > from && text.at(i - 1).isHighSurrogate()))
            ++n;
    }
    return n;
}

} // namespace

TextShaper::TextShaper() : mBuffer(hb_buffer_create()) {}

TextShaper::~TextShaper()
{
    hb_buffer_destroy(mBuffer);
}

std::shared_ptr<ShapingFont> TextShaper::fontFor(const FontRecord& record)
{
    const QString face = record.faceName();
    auto family = mFamilies.constFind(face);
    if (family == mFamilies.constEnd())
        family = mFamilies.insert(face, FontResolver::family(face));
    std::shared_ptr<ShapingFont> font =
        ShapingFont::shared(*family, record.weight >= 600, record.italic != 0);
    return font->isValid() ? font : nullptr;
}

bool TextShaper::isTurnedMark(char32_t c)
{
    // Marks that run along the line: dashes, the long vowel mark, waves, leaders, and the
    // brackets and colons. A font without a vertical form for them gets them turned.
    static const char32_t kMarks[] = {0x2010, 0x2014, 0x2015, 0x2025, 0x2026, 0x2212,
                                      0x301C, 0x30FC, 0xFF0D, 0xFF5E};
    return std::find(std::begin(kMarks), std::end(kMarks), c) != std::end(kMarks) ||
           VerticalOrientation::of(c) == VerticalOrientation::TransformedRotated;
}

bool TextShaper::isSideways(char32_t c, ShapingFont& font)
{
    // Half-width Latin letters and digits stand upright, as their full-width forms do
    // (A棟, 2F); the other characters CP932 holds in one byte (spaces, punctuation,
    // half-width katakana) keep lying on their side, as the vertical faces set them.
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
        return false;
    if (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) || c == 0xA5 || c == 0x203E)
        return true;
    // Its double-byte characters stand upright, as they do in Japanese vertical writing:
    // Greek, Cyrillic, units, mathematical signs, arrows. Those with a vertical form take
    // it; only the marks running along the line are turned when the font has none.
    if (c < 0x10000 && TextCodec::byteWidth(QChar(char16_t(c))) == 2)
        return isTurnedMark(c) && !font.hasVerticalForm(c);
    switch (VerticalOrientation::of(c)) {
    case VerticalOrientation::Rotated:
        return true;
    case VerticalOrientation::TransformedRotated:
        return !font.hasVerticalForm(c);
    case VerticalOrientation::Upright:
    case VerticalOrientation::TransformedUpright:
        break;
    }
    return false;
}

ShapedLine TextShaper::shape(const QString& text, const FontRecord& record, int size,
                             int charSpacing)
{
    ShapedLine line;
    line.size = size;
    const std::shared_ptr<ShapingFont> font = size > 0 ? fontFor(record) : nullptr;
    if (!font)
        return line;
    const QString key = QStringLiteral("%1 %2 %3\n")
                            .arg(size)
                            .arg(charSpacing)
                            .arg(QLatin1Char(record.isVertical() ? 'V' : 'H')) +
                        text;
    if (const ShapedLine* shaped = font->shapedLine(key)) {
        line = *shaped;
        line.font = font;
        line.underline = record.underline != 0;
        line.strikeOut = record.strikeOut != 0;
        return line;
    }
    line.font = font;
    line.ascent = size * font->ascentRatio();
    line.syntheticBold = font->syntheticBold();
    line.syntheticItalic = font->syntheticItalic();
    line.underline = record.underline != 0;
    line.strikeOut = record.strikeOut != 0;
    line.underlinePosition = size * font->underlineRatio();
    line.strikeOutPosition = size * font->strikeOutRatio();
    line.lineThickness = size * font->thicknessRatio();

    qreal pen = 0;
    if (text.isEmpty()) {
        // Nothing to shape.
    } else if (!record.isVertical()) {
        shapeRun(line, *font, text, 0, int(text.size()), false, charSpacing, pen);
    } else {
        int runStart = 0;
        bool runUpright = false;
        for (int i = 0; i < text.size();) {
            if (isDigitPair(text, i)) {
                if (i > runStart)
                    shapeRun(line, *font, text, runStart, i, runUpright, charSpacing, pen);
                shapeDigitPair(line, *font, text, i, charSpacing, pen);
                i += 2;
                runStart = i;
                continue;
            }
            int length = 1;
            const bool upright = !isSideways(codePointAt(text, i, &length), *font);
            if (i > runStart && upright != runUpright) {
                shapeRun(line, *font, text, runStart, i, runUpright, charSpacing, pen);
                runStart = i;
            }
            runUpright = upright;
            i += length;
        }
        if (runStart < text.size())
            shapeRun(line, *font, text, runStart, int(text.size()), runUpright, charSpacing, pen);
    }
    line.spacedAdvance = pen;
    font->keepShapedLine(key, line);
    return line;
}

void TextShaper::shapeRun(ShapedLine& line, ShapingFont& font, const QString& text, int from,
                          int to, bool upright, int charSpacing, qreal& pen)
{
    hb_buffer_clear_contents(mBuffer);
    hb_buffer_add_utf16(mBuffer, reinterpret_cast<const uint16_t*>(text.utf16()), int(text.size()),
                        uint(from), to - from);
    hb_buffer_set_direction(mBuffer, upright ? HB_DIRECTION_TTB : HB_DIRECTION_LTR);
    hb_buffer_set_cluster_level(mBuffer, HB_BUFFER_CLUSTER_LEVEL_MONOTONE_CHARACTERS);
    hb_buffer_guess_segment_properties(mBuffer);
    static const hb_language_t japanese = hb_language_from_string("ja", -1);
    hb_buffer_set_language(mBuffer, japanese);
    if (upright)
        hb_shape_full(font.hbFont(), mBuffer, kVerticalFeatures, std::size(kVerticalFeatures),
                      ShapingFont::shaperList());
    else
        hb_shape_full(font.hbFont(), mBuffer, kHorizontalFeatures, std::size(kHorizontalFeatures),
                      ShapingFont::shaperList());

    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(mBuffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(mBuffer, &count);
    const qreal scale = line.size / font.unitsPerEm();

    ShapedRun run;
    run.font = font.rawFont(int(line.size));
    run.upright = upright;
    run.glyphs.reserve(count);
    run.positions.reserve(count);
    for (unsigned g = 0; g < count; ++g) {
        run.glyphs.append(info[g].codepoint);
        if (upright) {
            // HarfBuzz gives the offset from the pen on the vertical centre line to the
            // glyph's horizontal origin; y grows upwards there.
            run.positions.append(
                QPointF(-line.size / 2 + pos[g].x_offset * scale, pen - pos[g].y_offset * scale));
            pen -= pos[g].y_advance * scale;
            line.advance -= pos[g].y_advance * scale;
        } else {
            run.positions.append(
                QPointF(pen + pos[g].x_offset * scale, line.ascent - pos[g].y_offset * scale));
            pen += pos[g].x_advance * scale;
            line.advance += pos[g].x_advance * scale;
        }
        // After the last glyph of a cluster: the spacing for each character in it.
        const bool clusterEnds = g + 1 == count || info[g + 1].cluster != info[g].cluster;
        if (clusterEnds) {
            const int clusterEnd = g + 1 < count ? int(info[g + 1].cluster) : to;
            const int n = codePointCount(text, int(info[g].cluster), clusterEnd);
            line.characters += n;
            pen += qreal(charSpacing) * n;
        }
    }
    line.runs.append(run);
}

bool TextShaper::isDigitPair(const QString& text, int i)
{
    const auto digit = [&text](int at) {
        return at >= 0 && at < text.size() && text.at(at) >= u'0' && text.at(at) <= u'9';
    };
    return digit(i) && digit(i + 1) && !digit(i - 1) && !digit(i + 2);
}

void TextShaper::shapeDigitPair(ShapedLine& line, ShapingFont& font, const QString& text, int at,
                                int charSpacing, qreal& pen)
{
    // 縦中横: the two digits shaped as horizontal text and set across the column in one
    // cell, centred on the line, their baseline where an upright character's would be.
    hb_buffer_clear_contents(mBuffer);
    hb_buffer_add_utf16(mBuffer, reinterpret_cast<const uint16_t*>(text.utf16()), int(text.size()),
                        uint(at), 2);
    hb_buffer_set_direction(mBuffer, HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(mBuffer);
    hb_shape_full(font.hbFont(), mBuffer, kHorizontalFeatures, std::size(kHorizontalFeatures),
                  ShapingFont::shaperList());
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(mBuffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(mBuffer, &count);
    const qreal scale = line.size / font.unitsPerEm();
    qreal width = 0;
    for (unsigned g = 0; g < count; ++g)
        width += pos[g].x_advance * scale;
    // Wider than the column (a proportional face's wide digits): narrower glyphs are not
    // made, the pair is centred and may reach past the cell a little.
    ShapedRun run;
    run.font = font.rawFont(int(line.size));
    run.upright = true;
    qreal x = -line.size / 2 - width / 2; // the column runs from -size to 0 across
    for (unsigned g = 0; g < count; ++g) {
        run.glyphs.append(info[g].codepoint);
        run.positions.append(QPointF(x + pos[g].x_offset * scale,
                                     pen + line.ascent - pos[g].y_offset * scale));
        x += pos[g].x_advance * scale;
    }
    line.runs.append(run);
    pen += line.size + qreal(charSpacing) * 2;
    line.advance += line.size;
    line.characters += 2;
}

int TextShaper::extent(const QString& text, const FontRecord& font, int size)
{
    return qRound(shape(text, font, size, 0).advance);
}
