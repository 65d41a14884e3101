#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>

// Qt's PDF writer gives every page a size in whole points, so a postcard (283.46 ×
// 419.53 points) comes out as 284 × 419. This sets each page's MediaBox of a finished
// PDF to the exact paper size, keeping the page's top-left corner where the writer put
// it so the drawing stays where it is on the paper. Only the boxes change: the writer's
// file is copied with the new numbers and its cross-reference table moved to match (a
// PDF library's rewrite of the whole file cost a 500-label job a fifth of its time).
namespace PdfPageBoxes {

// The paper in points (1/72 inch) from a size in 0.1 mm.
QSizeF pointsOf(qint64 width, qint64 height);

// Rewrites `pdf` (a whole PDF file) with every page's MediaBox set to `paper` points.
// A page whose box differs from the paper by more than a point along a side (not one of
// ours) is left as it is. The file must end in a classic cross-reference table, as the
// writer's do. Returns an empty string, or a message when it does not (then `pdf` is
// unchanged).
QString setPageSizes(QByteArray& pdf, const QSizeF& paper);

} // namespace PdfPageBoxes
