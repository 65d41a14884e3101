#pragma once

#include "edit/MouseTool.h"

#include <QCursor>

// The mouse cursors of the editing tools: the program's own creation cursor (hot spot
// 6, 6), ruled-line drawing cursor (2, 29) and ruled-line cursor (7, 29), each 32 × 32,
// and the desktop's sizing cursors over the tracker's handles.
namespace ToolCursors {

QCursor cursor(ToolCursor which);

} // namespace ToolCursors
