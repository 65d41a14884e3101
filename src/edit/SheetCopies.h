#pragma once

class CORINOTEDoc;

// Giving every template sheet the settings of the first.
namespace SheetCopies {

// Copies every attribute of the first template sheet but its rectangle to the others,
// clears the selection and makes sheet 1 current. False with fewer than two sheets. No
// undo snapshot is taken here.
bool allAlike(CORINOTEDoc& doc);

} // namespace SheetCopies
