#pragma once

#include <QString>

class QPainter;
struct TextRect;

// Draws a region's customer barcode: the 67 bars of the content (the region's text in
// data mode), black and horizontal whatever the region's font, its top-left at the
// region's top-left corner, on a painter whose world is the paper in 0.1 mm with y up.
// At 10 points a long bar is 3.6 mm, a semi-long one 2.4 mm (upwards or downwards from the
// timing bar's middle), a timing bar 1.2 mm, every bar 0.6 mm wide at a pitch of 1.2 mm;
// every dimension scales with the size. The barcode is scaled into its region: the size is
// the largest at which it fits the region's width and height, at most 11.5 points, and no
// larger than a horizontal face's font height says (taken as 8 points at least). A region
// too small for 8 points draws nothing (the designer and the check before printing name
// it), nor does an empty or unusable content. Every bar and gap is a whole
// number of units, so the barcode is a one-bit picture of 133 × 6 units drawn scaled
// without smoothing (black bars, white between them): a printer or PDF gets one small
// image instead of 67 rectangles, which cost a 500-label job more than all its text.
namespace BarcodePainter {

constexpr double MinPoints = 8.0;
constexpr double MaxPoints = 11.5;

// The size in points a region's barcode is drawn at; below MinPoints when the region is
// too small for the barcode.
double pointSize(const TextRect& region);
// Whether the barcode fits the region at MinPoints or more.
bool fits(const TextRect& region);

void draw(QPainter& painter, const TextRect& region, const QString& content);

} // namespace BarcodePainter
