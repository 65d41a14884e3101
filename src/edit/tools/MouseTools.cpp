#include "MouseTools.h"

#include "AddRegionTool.h"
#include "AddSheetTool.h"
#include "DataModeTool.h"
#include "DragCreateTool.h"
#include "LineDrawTool.h"
#include "LineEditTool.h"
#include "LineTableTool.h"
#include "TrackTool.h"

#include "model/CORINOTEDoc.h"

#include <iterator>

namespace MouseTools {

namespace {

using Factory = std::unique_ptr<MouseTool> (*)(CORINOTEDoc&, const ToolServices&);

template<typename Tool>
std::unique_ptr<MouseTool> make(CORINOTEDoc& doc, const ToolServices& services)
{
    return std::make_unique<Tool>(doc, services);
}

// Indexed by the tool's number.
constexpr Factory kTemplateTools[] = {
    make<AddSheetTool>,  make<SheetTool>,    make<AddRegionTool>,
    make<RegionTool>,    make<LineDrawTool>, make<LineTableTool>,
    make<LineEditTool>,  make<DrawSheetTool>, make<DrawRegionTool>,
};

constexpr int kDataMode = 100;

} // namespace

int kindOf(const CORINOTEDoc& doc)
{
    return doc.templateMode ? doc.editTool : kDataMode;
}

std::unique_ptr<MouseTool> create(CORINOTEDoc& doc, const ToolServices& services)
{
    if (!doc.templateMode)
        return std::make_unique<DataModeTool>(doc, services);
    if (doc.editTool < 0 || doc.editTool >= int(std::size(kTemplateTools)))
        return nullptr;
    return kTemplateTools[doc.editTool](doc, services);
}

} // namespace MouseTools
