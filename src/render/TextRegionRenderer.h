#pragma once

#include "NameBlockLayout.h"
#include "RegionLayout.h"
#include "RenderMode.h"
#include "TextLinePainter.h"

#include <QList>
#include <QString>

class PictureCache;
class QPainter;
class TextShaper;
struct TextRect;

// Draws one text region on a painter whose world is the paper in logical units of 0.1 mm
// with y up, clipped to the paper (the page renderer sets that up):
//  1. for an elliptic region the clip narrows to the ellipse inscribed in the rectangle;
//  2. the background (unless backColorOff);
//  3. the picture, turned, with its opacity and colour key, stretched over the rectangle
//     (preview and print); in edit mode the grey label "T%d Pic" at the top-left corner
//     instead, not cut by the ellipse so it always shows;
//  4. back to the paper clip: the text may run past the region up to the paper's edge;
//  5. the frame: the sides whose flags are set, or for an elliptic region the ellipse when
//     any flag is set;
//  6.–11. the text as RegionLayout places it, in a font whose em is the cross size;
//  12. the outline under it, 13. the text in its colour.
// The painter's state is left as it was found.
class TextRegionRenderer
{
public:
    struct Context
    {
        RenderMode mode = RenderMode::Preview;
        // Template regions split a too-long text into two lines whatever "TROD" holds.
        bool templateMode = false;
        int fitData = 0; // "TROD"; 3 writes a too-long text on two lines in data mode
        int number = 0;  // the region's position in its list, from 1, for the edit label
    };

    TextRegionRenderer(TextShaper& shaper, PictureCache& pictures);

    // Draws the region with `text` (the region's text in data mode, its attribute in
    // template mode). Returns the font height used (the cross size, or half of it with two
    // lines); the region's own font record is never changed.
    int draw(QPainter& painter, const TextRect& region, const QString& text,
             const Context& context);

    // The region's background and frame alone, for a region that draws something other
    // than text (a barcode); the painter is left as it was, without a save and restore
    // where there is no frame (each costs a PDF page a rewrite of its graphics state).
    void drawBox(QPainter& painter, const TextRect& region, const Context& context);

    // Where the text goes, measured with the real fonts.
    RegionLayout layout(const TextRect& region, const QString& text, const Context& context);

    // Draws the region (background, frame) with its text typeset as a name block
    // (NameBlock::toText()) instead of one line.
    void drawNameBlock(QPainter& painter, const TextRect& region, const QString& text,
                       const Context& context);
    NameBlockLayout nameBlockLayout(const TextRect& region, const QString& text);

    TextShaper& shaper() { return mShaper; }

private:
    void drawBackground(QPainter& painter, const TextRect& region, const Context& context);
    void drawFrame(QPainter& painter, const TextRect& region);
    void drawText(QPainter& painter, const TextRect& region, const RegionLayout& layout);
    // The line the last layout shaped for this text and height, or a new shaping.
    ShapedLine measuredLine(const TextRect& region, const QString& text, int height);

    // The lines the last layout() shaped while measuring.
    struct Measured
    {
        QString text;
        int height;
        ShapedLine line;
    };

    TextShaper& mShaper;
    PictureCache& mPictures;
    TextLinePainter mLines;
    QList<Measured> mMeasured;
};
