#pragma once

#include <QList>
#include <QString>

class CORINOTEDoc;

// The arrange commands of the シート, 文字列編集領域 and 罫線 menus: when each is
// enabled, and carrying out those that need no dialog (one undo snapshot, then the
// change, the modified mark and a redraw of every view).
namespace ArrangeCommands {

// Every arrange command, the dialog ones included.
const QList<int>& commands();
bool handles(int command);
// The commands that open a dialog first (split and the position and size dialogs).
bool needsDialog(int command);

bool isEnabled(int command, const CORINOTEDoc& doc);

// Runs an enabled command that needs no dialog. Returns a message for the user (a
// refusal), else an empty string.
QString run(int command, CORINOTEDoc& doc);

} // namespace ArrangeCommands
