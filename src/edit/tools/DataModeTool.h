#pragma once

#include "TrackTool.h"

// Data mode's mouse, whatever tool was chosen: Shift+click makes the sheet of the page
// under the pointer the current sheet; with Home, Up, End or Down held a click picks a
// ruled line of the page; a plain click selects, moves and resizes a text region of the
// page as the region tool does.
class DataModeTool : public RegionTool
{
public:
    using RegionTool::RegionTool;
    void press(const ToolEvent& e) override;
    ToolCursor cursor(const ToolEvent& e) const override;
};
