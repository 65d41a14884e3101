#pragma once

#include "edit/MouseTool.h"

#include <memory>

// The tool the drawing view works with: in template mode the one of `editTool` (0 to 8;
// nothing for -1 or an unknown number), in data mode the data-mode tool.
namespace MouseTools {

std::unique_ptr<MouseTool> create(CORINOTEDoc& doc, const ToolServices& services);

// The tool number a given tool was made for, to tell when it must be made anew.
int kindOf(const CORINOTEDoc& doc);

} // namespace MouseTools
