#pragma once

#include <QRect>
#include <QSize>

class CORINOTEDoc;
class PictureCache;
class QPainter;

// The preview box of the data-mode form: the selected region's background colour (when
// it is drawn) on white, and its background picture turned by its rotation, with its
// opacity and colour key.
namespace RegionPreview {

// Paints data-mode region `index` into `box` (device pixels); just white for an index
// outside the regions.
void paint(QPainter& painter, const QRect& box, const CORINOTEDoc& doc, int index,
           PictureCache& pictures);

// Where a picture goes in the box: scaled down to fit with its aspect ratio kept when it
// is larger than the box, at its own size otherwise, centred either way.
QRect pictureRect(const QSize& picture, const QRect& box);

} // namespace RegionPreview
