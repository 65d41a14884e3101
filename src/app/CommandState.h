#pragma once

#include <QString>

class CORINOTEDoc;

// What the enabled and checked state of every command depends on: the document's mode,
// undo flags, zoom and page, and the state of the windows.
struct CommandContext
{
    bool templateMode = false;
    bool undoAvailable = false;
    bool redoAvailable = false;
    // The names of the steps undo and redo take back ("移動"), for the menu texts.
    QString undoName;
    QString redoName;
    int zoomIndex = 1;
    int currentPage = 1;
    int pageCount = 1;
    int editTool = -1;
    // Command 203 has something to delete.
    bool canDelete = false;
    // Something of the template is selected to copy; the clipboard holds objects to
    // paste (told by the window, which sees the clipboard); objects lie off the paper.
    bool canCopy = false;
    bool canPaste = false;
    bool objectsOffPaper = false;
    // The document, for the rules that look at the selection itself (the arrange
    // commands); null in contexts made by hand.
    const CORINOTEDoc* doc = nullptr;

    // The drawing view's display switches.
    int gridUnit = 0;
    bool grid = false;
    bool sheetNumbers = false;
    bool regionNumbers = false;
    bool lineNumbers = false;
    bool paperPicture = false;
    bool preview = false;

    bool toolBarVisible = true;
    bool statusBarVisible = true;
    int recentFileCount = 0;
    // The auto-replace rules list can be shown (its dialog is built in).
    bool autoReplaceAvailable = false;
    // Printing, the print settings, the sheet order and the reservation commands can run
    // (the window that has their dialogs is there).
    bool printingAvailable = false;

    // The parts that come from the document.
    static CommandContext fromDocument(const CORINOTEDoc& doc);
};

struct CommandState
{
    bool enabled = false;
    bool checked = false;
};

// The update rules of the commands. A command whose feature is not part of the program
// yet is disabled here, and stays in its menu that way.
namespace CommandStates {

CommandState evaluate(int command, const CommandContext& context);

// Whether the command shows a check mark (a switch, a choice or a mode).
bool isCheckable(int command);

} // namespace CommandStates
