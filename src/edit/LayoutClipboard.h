#pragma once

#include <QString>

#include <memory>

class CORINOTEDoc;
class QMimeData;

// Copy, cut, paste and duplicate of the template's sheets, text regions and ruled lines.
// What is copied travels as data of this program's own type, which keeps every attribute
// (a region's text and font, a sheet's background, a line's width and colour), and as
// plain text for other programs. A paste adds the objects at the place they were copied
// from or, while that place holds an object of the same kind just there, one grid step
// further down and to the right; it is one undo step and selects what it added. Template
// mode only.
namespace LayoutClipboard {

// The type of this program's own data.
QString mimeType();

// Whether something of the template is selected to copy.
bool canCopy(const CORINOTEDoc& doc);
// The selected sheets, regions (the Ctrl+click group with them) and ruled lines; null
// when nothing is selected.
std::unique_ptr<QMimeData> copy(const CORINOTEDoc& doc);
// Copies, then deletes what was copied, in one undo step "切り取り". Null as copy().
std::unique_ptr<QMimeData> cut(CORINOTEDoc& doc);

// Whether `data` holds objects this program can paste into the template.
bool canPaste(const CORINOTEDoc& doc, const QMimeData* data);
// Adds the objects of `data` to the template (grid step in paper units for the shift
// when the place is taken; 0: 5 mm). Returns how many objects were added, 0 (and no
// undo step) when the data holds none or cannot be read.
int paste(CORINOTEDoc& doc, const QMimeData& data, int gridStep, const QString& stepName = {});
// Copies and pastes the selection without the clipboard, as one undo step "複製".
int duplicate(CORINOTEDoc& doc, int gridStep);

} // namespace LayoutClipboard
