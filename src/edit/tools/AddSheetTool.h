#pragma once

#include "edit/MouseTool.h"

// Tool 0: a click adds a template sheet of the new-sheet size, its top-left corner at the
// snapped pointer.
class AddSheetTool : public MouseTool
{
public:
    using MouseTool::MouseTool;
    void press(const ToolEvent& e) override;
    ToolCursor cursor(const ToolEvent&) const override { return ToolCursor::Create; }
};
