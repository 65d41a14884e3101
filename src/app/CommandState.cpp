#include "CommandState.h"

#include "ArrangeCommands.h"
#include "CommandIds.h"
#include "PageNavigation.h"
#include "TextCommands.h"

#include "edit/LayoutClipboard.h"
#include "edit/LayoutEdits.h"
#include "model/CORINOTEDoc.h"

#include <iterator>

using namespace CommandIds;

namespace {

// The tool bar command of each editing tool, indexed by the tool's number.
constexpr int kToolCommands[] = {ToolAddSheet, ToolSheets,    ToolAddRegion,
                                 ToolRegions,  ToolAddLine,   ToolAddLineTable,
                                 ToolLines,    ToolDrawSheet, ToolDrawRegion};

int toolOf(int command)
{
    for (int tool = 0; tool < int(std::size(kToolCommands)); ++tool) {
        if (kToolCommands[tool] == command)
            return tool;
    }
    return -1;
}

int gridUnitOf(int command)
{
    switch (command) {
    case GridNone:
        return 0;
    case Grid1mm:
        return 1;
    case Grid5mm:
        return 5;
    case Grid10mm:
        return 10;
    default:
        return -1;
    }
}

} // namespace

CommandContext CommandContext::fromDocument(const CORINOTEDoc& doc)
{
    CommandContext c;
    c.templateMode = doc.templateMode != 0;
    c.undoAvailable = doc.undoAvailable != 0;
    c.redoAvailable = doc.redoAvailable != 0;
    c.undoName = doc.undoStepName();
    c.redoName = doc.redoStepName();
    c.zoomIndex = doc.zoomIndex();
    // Template mode shows the one page of the template.
    c.currentPage = c.templateMode ? 1 : doc.currentPage;
    c.pageCount = doc.pageCount();
    c.editTool = doc.editTool;
    c.canDelete = LayoutEdits::canDelete(doc);
    c.canCopy = LayoutClipboard::canCopy(doc);
    c.objectsOffPaper = LayoutEdits::canBringIntoPaper(doc);
    c.doc = &doc;
    return c;
}

namespace CommandStates {

bool isCheckable(int command)
{
    switch (command) {
    case TemplateMode:
    case DataMode:
    case EditDisplay:
    case PreviewDisplay:
    case ShowGrid:
    case ShowSheetNumbers:
    case ShowRegionNumbers:
    case ShowLineNumbers:
    case ShowPaperPicture:
    case ViewToolBar:
    case ViewStatusBar:
        return true;
    default:
        return gridUnitOf(command) >= 0 || toolOf(command) >= 0 ||
               TextCommands::isCheckable(command);
    }
}

CommandState evaluate(int command, const CommandContext& c)
{
    CommandState s;
    if (command >= RecentFile1 && command < RecentFile1 + RecentFileCount) {
        s.enabled = command - RecentFile1 < c.recentFileCount;
        return s;
    }
    if (PageNavigation::isNavigation(command)) {
        s.enabled =
            !c.templateMode && PageNavigation::isEnabled(command, c.currentPage, c.pageCount);
        return s;
    }
    if (const int unit = gridUnitOf(command); unit >= 0) {
        s.enabled = true;
        s.checked = c.gridUnit == unit;
        return s;
    }
    if (const int tool = toolOf(command); tool >= 0) {
        // The object tool bar is the template's.
        s.enabled = c.templateMode;
        s.checked = c.templateMode && c.editTool == tool;
        return s;
    }

    if (ArrangeCommands::handles(command)) {
        s.enabled = c.doc && ArrangeCommands::isEnabled(command, *c.doc);
        return s;
    }
    if (TextCommands::handles(command))
        return c.doc ? TextCommands::state(command, *c.doc) : s;

    switch (command) {
    case FileNew:
    case FileOpen:
    case FileSave:
    case FileSaveAs:
    case OpenTemplate:
    case SaveTemplate:
    case AppExit:
    case EnvironmentSetup:
    case About:
        s.enabled = true;
        break;
    case EditUndo:
        s.enabled = c.undoAvailable;
        break;
    case EditRedo:
        s.enabled = c.redoAvailable;
        break;
    case EditCut:
    case EditCopy:
    case EditDuplicate:
        s.enabled = c.canCopy;
        break;
    case EditPaste:
        s.enabled = c.canPaste && c.templateMode;
        break;
    case BringIntoPaper:
        s.enabled = c.objectsOffPaper;
        break;
    case TemplateMode:
        s.enabled = true;
        s.checked = c.templateMode;
        break;
    case DataMode:
        s.enabled = true;
        s.checked = !c.templateMode;
        break;
    case EditDisplay:
        s.enabled = true;
        s.checked = !c.preview;
        break;
    case PreviewDisplay:
        s.enabled = true;
        s.checked = c.preview;
        break;
    case ShowGrid:
        s = {true, c.grid};
        break;
    case ShowSheetNumbers:
        s = {true, c.sheetNumbers};
        break;
    case ShowRegionNumbers:
        s = {true, c.regionNumbers};
        break;
    case ShowLineNumbers:
        s = {true, c.lineNumbers};
        break;
    case ShowPaperPicture:
        s = {true, c.paperPicture};
        break;
    case ZoomIn:
        s.enabled = c.zoomIndex < CORINOTEDoc::ZoomCount - 1;
        break;
    case ZoomOut:
        s.enabled = c.zoomIndex > 0;
        break;
    case ViewToolBar:
        s = {true, c.toolBarVisible};
        break;
    case ViewStatusBar:
        s = {true, c.statusBarVisible};
        break;
    case AutoReplaceSettings:
        s.enabled = c.autoReplaceAvailable;
        break;
    case FilePrint:
    case TestPrint:
    case ExportPdf:
        // The pages are printed; from template mode the window applies the template first.
    case PrintSettings:
    case AddressBookWindow:
    case ClearReservation:
    case ReloadReservation:
        s.enabled = c.printingAvailable;
        break;
    case DeleteSelection:
        s.enabled = c.canDelete;
        break;
    case CsvFile:
        // CSV rows are print data: data mode only, where the window has the dialog.
        s.enabled = c.printingAvailable && !c.templateMode;
        break;
    case SheetOrder:
        s.enabled = c.printingAvailable && c.templateMode;
        break;
    case PicturePrint:
        // The pictures go onto the data-mode pages.
        s.enabled = c.printingAvailable && !c.templateMode;
        break;
    default:
        // The printer set-up, the address book, CSV and database data, the picture tool and every
        // editing command of the sheet, text, region and ruled-line menus.
        break;
    }
    return s;
}

} // namespace CommandStates
