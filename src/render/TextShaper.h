#pragma once

#include "ShapedLine.h"

#include <QHash>
#include <QString>

#include <memory>

struct FontRecord;
struct hb_buffer_t;
class ShapingFont;

// Shapes one line of a text region with HarfBuzz, for drawing and for measuring alike, so
// that what is measured is exactly what is drawn, on the screen, in an image and on paper.
//
// The font comes from the record's face (FontResolver), its em size is the given size
// in logical units. Horizontal faces give one ordinary line (no kerning or ligatures, as
// the files' fonts were laid out). Faces whose name starts with "@" write vertically:
// the line is split into upright runs, shaped top to bottom with the font's vertical
// forms (vert, vrt2), and sideways runs, shaped as horizontal text. Sideways are the
// CP932 single-byte characters other than Latin letters and digits (spaces, punctuation,
// half-width katakana), the characters whose Unicode
// vertical orientation is rotated (such as "－"), and those of the transformed-rotated
// class for which the font has no vertical form. Everything else stands upright, using
// its vertical form where the font has one (、。「」ー（）～ and small kana); half-width
// Latin letters and digits stand upright too (A棟), and two half-width digits standing
// alone (2F, 10F but not 302) share one cell across the column (縦中横).
//
// The character spacing is added after every code point, the last one included.
//
// The fonts are the ones the whole program shares (ShapingFont::shared); the shaper keeps
// the families its faces resolve to.
class TextShaper
{
public:
    TextShaper();
    ~TextShaper();
    TextShaper(const TextShaper&) = delete;
    TextShaper& operator=(const TextShaper&) = delete;

    ShapedLine shape(const QString& text, const FontRecord& font, int size, int charSpacing);

    // The natural extent of the text along its line in a font of em size `size`, rounded
    // to whole logical units, without character spacing.
    int extent(const QString& text, const FontRecord& font, int size);

    // The font a record is drawn with; null when no font at all could be loaded.
    std::shared_ptr<ShapingFont> fontFor(const FontRecord& font);

    // Whether a character is set sideways in a vertical line of this font.
    static bool isSideways(char32_t codePoint, ShapingFont& font);
    // The CP932 marks that run along the line (dashes, ー, waves, leaders, brackets): turned
    // in a vertical line when the font has no vertical form for them.
    static bool isTurnedMark(char32_t codePoint);

    // Whether text[i] and text[i+1] are half-width digits with no digit on either side.
    static bool isDigitPair(const QString& text, int i);

private:
    void shapeDigitPair(ShapedLine& line, ShapingFont& font, const QString& text, int at,
                        int charSpacing, qreal& pen);
    void shapeRun(ShapedLine& line, ShapingFont& font, const QString& text, int from, int to,
                  bool upright, int charSpacing, qreal& pen);

    QHash<QString, QString> mFamilies; // face name -> installed family
    hb_buffer_t* mBuffer = nullptr;
};
