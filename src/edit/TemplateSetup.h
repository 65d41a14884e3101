#pragma once

#include "base/Geometry.h"
#include "model/Keisenn.h"
#include "model/Sheet.h"
#include "model/TextRect.h"

#include <QString>

#include <functional>

class CLabelSheetTemplate;

// The four numeric fields of a sheet or text region as the template pages show them: the
// left edge, the top edge as a distance below the paper's top, the height and the width.
// Wide integers, so that any typed value can be checked before it becomes a rectangle.
struct RectFields
{
    qint64 x = 0;
    qint64 y = 0;
    qint64 height = 0;
    qint64 width = 0;

    static RectFields of(const Rect& r);
    // (X, −Y, X + width, −Y − height); only meaningful for checked fields.
    Rect toRect() const;
};

// The fields of a ruled line: both end points with Y below the paper's top, the pen
// width and the colour (0x00BBGGRR).
struct LineFields
{
    qint64 x1 = 0;
    qint64 y1 = 0;
    qint64 x2 = 0;
    qint64 y2 = 0;
    qint64 width = 1;
    qint32 color = 0;

    static LineFields of(const Keisenn& line);
    Point start() const;
    Point end() const;
};

// The template property sheet's working copy of the template: the paper size and
// picture, every sheet, text region and ruled line with all their attributes, and the
// three print options. The pages edit the copy; only applying it writes the template.
class TemplateSetup
{
public:
    qint64 paperHeight = 0;
    qint64 paperWidth = 0;
    QString paperPicture;
    SheetFamily sheets;
    TextRectFamily regions;
    KeisennFamily lines;
    qint32 printSheetFrames = 0;
    qint32 roundSheetCorners = 0;
    qint32 printRuledLines = 0;

    // The copy of a template: height = −paper bottom, width = paper right.
    static TemplateSetup of(const CLabelSheetTemplate& t);

    // The paper the copy describes, (0, 0, width, −height).
    Rect paperRect() const;
    // Whether writing the copy into the template would change nothing.
    bool matches(const CLabelSheetTemplate& t) const;

    enum class ObjectKind { Sheet, Region, Line };
    // Asked for an object of the base (kind, index) that both sides changed, or one
    // changed and the other deleted: whether the pages' version wins.
    using Conflict = std::function<bool(ObjectKind kind, int index)>;

    // Page edits laid over a template that changed meanwhile, merged object by object:
    // each sheet, region and ruled line the pages changed, added or deleted since `base`
    // comes from `edited`, every other from `now`; where both changed one object,
    // `pagesWin` decides (no function: the pages win). The paper and the print options
    // are taken as wholes, from `edited` when the pages changed them.
    static TemplateSetup rebased(const TemplateSetup& edited, const TemplateSetup& base,
                                 const TemplateSetup& now, const Conflict& pagesWin = {});

    bool operator==(const TemplateSetup& o) const;
    bool operator!=(const TemplateSetup& o) const { return !(*this == o); }
};
