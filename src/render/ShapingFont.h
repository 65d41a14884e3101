#pragma once

#include "ShapedLine.h"

#include <QHash>
#include <QPainterPath>
#include <QRawFont>
#include <QString>

#include <memory>

struct hb_font_t;

// One installed font as the shaper uses it: its HarfBuzz font built on the font's own
// tables (so shaping sees exactly the glyphs and metrics that are drawn), the raw fonts
// at the pixel sizes in use, the glyph outlines, and the metrics of the em box.
//
// All HarfBuzz values are in font units (scale = units per em); callers scale them by
// size / unitsPerEm().
class ShapingFont
{
public:
    ShapingFont(const QString& family, bool bold, bool italic);
    ~ShapingFont();
    ShapingFont(const ShapingFont&) = delete;
    ShapingFont& operator=(const ShapingFont&) = delete;

    // The one ShapingFont of a family and style in this run of the program, shared by
    // every shaper (the window's views, the print job, the measurer), so that each face's
    // tables are read once. Released when the application object goes.
    static std::shared_ptr<ShapingFont> shared(const QString& family, bool bold, bool italic);

    // The shapers HarfBuzz is asked to use: OpenType layout only. The fonts are OpenType;
    // trying the Graphite shaper first would look for its table on every line.
    static const char* const* shaperList();

    bool isValid() const { return mHbFont != nullptr; }
    // A number no other ShapingFont of this run of the program has, for cache keys.
    quint64 serial() const { return mSerial; }
    QString familyName() const { return mBase.familyName(); }
    hb_font_t* hbFont() const { return mHbFont; }
    int unitsPerEm() const { return mUnitsPerEm; }

    // The raw font at a pixel size (logical units), for glyph runs.
    QRawFont rawFont(int pixelSize);

    // The outline of a glyph at one unit per font unit, y growing downwards, origin on
    // the baseline.
    const QPainterPath& glyphPath(quint32 glyph);

    // The top of the ideographic em box above the baseline, as a fraction of the em box
    // (OS/2 typo ascender / (typo ascender - typo descender)).
    qreal ascentRatio() const { return mAscentRatio; }
    // Underline below and strike-out above the baseline, and their thickness, per em.
    qreal underlineRatio() const { return mUnderlineRatio; }
    qreal strikeOutRatio() const { return mStrikeOutRatio; }
    qreal thicknessRatio() const { return mThicknessRatio; }

    // Bold or italic were asked for but the font has no such face: the renderer makes
    // them up (emboldened outlines, a slant).
    bool syntheticBold() const { return mSyntheticBold; }
    bool syntheticItalic() const { return mSyntheticItalic; }

    // The glyph the character map gives, 0 when the font lacks it.
    quint32 nominalGlyph(char32_t codePoint) const;
    // Whether the font's vertical substitutions (vert, vrt2) replace the character's glyph
    // with a vertical form.
    bool hasVerticalForm(char32_t codePoint);

    // Lines this font has shaped, by their text, em size, character spacing and writing
    // direction: the pages, the measurer and the print job shape the same names and
    // addresses again and again. Kept without their font (the caller sets it) and without
    // underline or strike-out, which shaping does not depend on.
    const ShapedLine* shapedLine(const QString& key) const;
    void keepShapedLine(const QString& key, const ShapedLine& line);

private:
    void readMetrics();

    quint64 mSerial;
    QFont mRequest;
    QRawFont mBase;
    hb_font_t* mHbFont = nullptr;
    int mUnitsPerEm = 1000;
    qreal mAscentRatio = 0.88;
    qreal mUnderlineRatio = 0.1;
    qreal mStrikeOutRatio = 0.3;
    qreal mThicknessRatio = 0.05;
    bool mSyntheticBold = false;
    bool mSyntheticItalic = false;
    QHash<int, QRawFont> mSized;
    QHash<quint32, QPainterPath> mPaths;
    QHash<char32_t, bool> mVerticalForms;
    QHash<QString, ShapedLine> mLines;
};
