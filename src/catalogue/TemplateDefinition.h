#pragma once

#include <QJsonObject>
#include <QString>

class CLabelSheetTemplate;

// A sheet template described in a readable JSON file, the form in which the catalogue of
// standard papers is kept in the source tree and turned into .ont files at build time.
//
// Lengths are integers in tenths of a millimetre measured from the paper's top-left
// corner with y growing downwards, as a ruler laid on the paper reads them; the template
// gets y negated. A rectangle is [x, y, width, height].
//
//   {
//     "name": "はがき宛名（縦書き）",        the file title (the template's name)
//     "paper": [1000, 1480],                 width, height
//     "verticalText": 1,                     optional, 0 or 1 (default 0)
//     "sheets": [[0, 0, 1000, 1480]],        the sheets in filling order, or instead
//     "labels": {"size": [864, 423], "grid": [2, 6], "origin": [186, 212],
//                "pitch": [864, 423]},       a grid filled row by row
//     "regions": [
//       {"text": "郵1(R)", "rect": [447, 128, 49, 64], "align": "centre"},
//       {"text": "住所1(R)", "rect": [800, 280, 60, 1020], "vertical": true}
//     ]
//   }
//
// Region rectangles are measured from sheet No. 1's top-left corner and must lie inside
// it: the design is made on sheet No. 1 and data mode repeats it on every sheet. A region
// has the font the template editor gives a new region: "face" (default "ＭＳ 明朝"), with
// "@" in front and escapement 900 when "vertical" is true, the height being the cross
// size, or "size" (10–1000, tenths of a millimetre) where that is smaller: the largest
// size a name block is set at; "bold" gives weight 700; "align" is "start" (default),
// "centre" or "end"; "shrink": true squeezes a text longer than the region along its line
// (長い時は縮小).
// Unknown keys are refused, so that a misspelt key is not silently ignored.
namespace TemplateDefinition {

// The largest definition file read; the catalogue's are a few kilobytes.
constexpr qint64 MaxFileSize = 1 << 20;

// Builds the template from the definition. On success *out is the template and *name its
// title; otherwise returns false with a Japanese message naming the offending entry in
// *error, and leaves *out and *name unchanged.
bool fromJson(const QJsonObject& json, CLabelSheetTemplate* out, QString* name, QString* error);

// Reads a definition file and builds its template as fromJson() does; the message of a
// failure starts with the file's name.
bool load(const QString& path, CLabelSheetTemplate* out, QString* name, QString* error);

// Writes the template as a sheet template file, atomically: an existing file is replaced
// only once the new one is complete. Returns an empty string or the message.
QString writeFile(const CLabelSheetTemplate& t, const QString& path);

} // namespace TemplateDefinition
