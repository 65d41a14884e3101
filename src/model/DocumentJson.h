#pragma once

#include <QJsonObject>

class CORINOTEDoc;

// The whole document as JSON, for scripts and tests: the scalars under their own names,
// the template, the data-mode families (`sheets`, `textRects`, `keisenns`) as arrays of
// objects keyed by attribute name, the twenty address groups (`groups`) as arrays of
// records keyed by column title with `flag` and `history`, and the `recordList`.
// Colours are integers, rectangles [left, top, right, bottom], points [x, y].
namespace DocumentJson {
QJsonObject toJson(const CORINOTEDoc& doc);
}
