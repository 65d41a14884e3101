#pragma once

#include "edit/MouseTool.h"

// Tool 2: a click adds a template text region of the new-region size, its top-left
// corner at the snapped pointer (sized to the new-object text when the settings ask).
class AddRegionTool : public MouseTool
{
public:
    using MouseTool::MouseTool;
    void press(const ToolEvent& e) override;
    ToolCursor cursor(const ToolEvent&) const override { return ToolCursor::Create; }
};
