#pragma once

#include <QString>

#include <functional>

class CORINOTEDoc;
class ProgressReporter;

// The switch between template mode (the template is edited) and data mode (the pages
// built from it are edited and printed). The caller attaches the left pane's form that
// belongs to the mode and then redraws every view.
namespace ModeSwitch {

// Merges the records the document holds (the print reservation or CSV rows) into the
// pages after data mode has rebuilt page 1, adding pages as the records need, and places
// the CSV rows and pictures remembered again (PlacementReplay). The merge
// and the pagination are not part of the shell; until one is installed, page 1 stays
// as built, its texts empty.
using RecordMerger = std::function<void(CORINOTEDoc& doc, ProgressReporter* progress)>;

// The select tool of a tool's family: 1 for the sheet tools, 3 for the text-region
// tools, 6 for the ruled-line tools.
int selectToolOf(int tool);

// Command 133: clears the selection, makes sheet 1 current, selects the select tool of
// the family last used in template mode (the sheet select tool the first time), so that
// a first click selects rather than adds, and sets the template-mode flag.
void enterTemplateMode(CORINOTEDoc& doc);

// Command 32771. A template without a sheet is refused with "シートは必ず1つ以上設定して
// ください。" and nothing changes. Otherwise: an undo snapshot (the data-mode pages are
// replaced), page 1 built from the template with the first sheet's design on every
// sheet, the selection cleared, sheet 1 current, the records merged by `merger` (when
// given), the current page kept within the pages, the template-mode flag cleared and no
// tool selected (the family of the tool that was selected is remembered for the next
// template mode). Returns an empty string, or the message of a refusal.
QString enterDataMode(CORINOTEDoc& doc, const RecordMerger& merger = {},
                      ProgressReporter* progress = nullptr);

// A file command given in template mode (save, print, PDF) that needs the pages: they
// are built from the template as data mode builds them and `command` runs over them;
// then the document is as it was (its pages, mode, tool, current sheet and selection;
// modified unless the command saved it), and no undo step is taken. A template without a sheet is refused as data mode refuses it.
QString withPagesBuilt(CORINOTEDoc& doc, const RecordMerger& merger, ProgressReporter* progress,
                       const std::function<void()>& command);

} // namespace ModeSwitch
