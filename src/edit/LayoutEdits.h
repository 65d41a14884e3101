#pragma once

#include "base/Geometry.h"

#include <QList>
#include <QString>

class CORINOTEDoc;

// The editing operations on the objects of the layout being edited, with the selection
// kept right. None takes an undo snapshot: the commands that call them take one first.
namespace LayoutEdits {

// Removes template sheet `index` with all its attributes. The template's regions belong
// to the design of sheet No. 1, not to a sheet, so they stay.
void removeTemplateSheet(CORINOTEDoc& doc, int index);
// Removes template region `index` with all its attributes.
void removeTemplateRegion(CORINOTEDoc& doc, int index);
// Removes the template's ruled lines of the given indices (any order, repeats allowed).
void removeTemplateLines(CORINOTEDoc& doc, QList<int> indices);
// Appends a ruled line to the template with the new-object width and colour.
void appendTemplateLine(CORINOTEDoc& doc, const Point& start, const Point& end);

// Command 203: deletes the selected sheet, else the selected ruled lines, else the
// selected text region, of the template (in data mode nothing is deleted). Takes one
// undo snapshot when something is deleted, clears the selection and marks the document
// modified. Returns the message of a refusal ("これ以上シート枠を削除することはできま
// せん。" for the last sheet), else an empty string.
QString deleteSelection(CORINOTEDoc& doc);
// Whether command 203 has something to delete.
bool canDelete(const CORINOTEDoc& doc);

// Moves the selected sheet or text region with the group, or else the selected ruled
// lines, by (dx, dy) paper units, after one undo snapshot. The move is narrowed so that
// every object keeps 1 mm of itself (all of a thinner extent) on the paper, without
// pulling in one already further out; `heldBack` tells whether it was narrowed. False
// when nothing moved (no snapshot then).
bool moveSelection(CORINOTEDoc& doc, int dx, int dy, bool* heldBack = nullptr);
// The status text for a nudge held back at the paper's edge.
QString heldBackMessage();

// 用紙内に戻す: moves every sheet, text region and ruled line of the page being edited
// that lies partly off the paper the least way that puts it on the paper (one longer
// than the paper to its left or top edge), without changing its size, after one undo
// snapshot. Returns how many moved (no snapshot when none).
int bringIntoPaper(CORINOTEDoc& doc);
// Whether some object of the page being edited lies partly off the paper.
bool canBringIntoPaper(const CORINOTEDoc& doc);

} // namespace LayoutEdits
