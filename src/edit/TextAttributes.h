#pragma once

#include "base/FontRecord.h"

#include <QString>
#include <QStringList>

class CORINOTEDoc;
class TextMeasurer;
class TextRectFamily;

// The look of the selected text region (the template's in template mode, the page's
// data-mode region otherwise): font, colour, styles, alignment, direction, outline,
// character spacing and frame. Every change takes one undo snapshot first, then marks
// the document modified and redraws every view; without a selected region nothing
// happens.
namespace TextAttributes {

// The selected region of the page being edited, or -1.
int selected(const CORINOTEDoc& doc);
// The family the selected region belongs to.
TextRectFamily& regions(CORINOTEDoc& doc);
const TextRectFamily& regions(const CORINOTEDoc& doc);

enum class Style
{
    Bold,
    Italic,
    StrikeOut,
    Underline,
};
bool isOn(const CORINOTEDoc& doc, Style style);
// Bold: weight 400 becomes 700, any other weight 400. The others invert their flag.
void toggle(CORINOTEDoc& doc, Style style);

// 0 start, 1 centre, 2 end of the line.
void setAlignment(CORINOTEDoc& doc, int alignment);
// Adds or takes 900 from the font's angle (2700 + 900 = 0); the rectangle stays.
void turnText(CORINOTEDoc& doc, bool clockwise);
void setTextColor(CORINOTEDoc& doc, qint32 color);
void setOutline(CORINOTEDoc& doc, int width, qint32 color);
void setCharSpacing(CORINOTEDoc& doc, int spacing);

struct Frame
{
    bool top = false;
    bool bottom = false;
    bool left = false;
    bool right = false;
    int width = 0;
    qint32 color = 0xFFFFFF;
};
Frame frame(const CORINOTEDoc& doc);
void setFrame(CORINOTEDoc& doc, const Frame& frame);

// What the font dialog gives: only these are copied into the region's font.
struct FontChoice
{
    QString face;
    int weight = 400;
    bool italic = false;
    int charSet = 128;
    int points = 0; // the chosen size in whole points, for sizing the region
};
// The faces the font dialog offers: the four ＭＳ names first (they resolve to the IPA
// faces), then the installed families that can show Japanese; each followed by its "@"
// face for vertical writing.
QStringList offeredFaces(const QStringList& japaneseFamilies);
// The size in whole points that the region of the selected index is drawn at (its cross
// size, rounded), what the font dialog shows; 0 without a region.
int pointsOf(const CORINOTEDoc& doc, int region);
// The sizes that can be typed in the font dialog, in points.
constexpr int MinPoints = 1;
constexpr int MaxPoints = 999;

// A face name must fit the record's 31 bytes in CP932; else the message, and nothing
// changes.
QString checkFace(const QString& face);
QString setFont(CORINOTEDoc& doc, const FontChoice& choice);
// Sizes the region's cross size to a font of that many points: 3.5277777778 tenths of a
// millimetre a point, truncated (width for text turned a quarter, height otherwise). No
// snapshot: it answers the question that follows setFont, part of the same step.
void sizeToPoints(CORINOTEDoc& doc, int points);

} // namespace TextAttributes
