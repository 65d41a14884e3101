#pragma once

#include "CommandState.h"

#include <QList>

class CORINOTEDoc;

// The text attribute commands of the 文字列 menu and the background commands: when each
// is enabled and checked, and carrying out the toggles, alignments and turns (the others
// open a dialog first).
namespace TextCommands {

const QList<int>& commands();
bool handles(int command);
bool needsDialog(int command);
bool isCheckable(int command);

CommandState state(int command, const CORINOTEDoc& doc);

// Runs a command that needs no dialog (styles, alignments, turning the text).
void run(int command, CORINOTEDoc& doc);

} // namespace TextCommands
