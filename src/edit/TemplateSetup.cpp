#include "TemplateSetup.h"

#include "model/CLabelSheetTemplate.h"

RectFields RectFields::of(const Rect& r)
{
    return RectFields{r.left, -qint64(r.top), r.height(), r.width()};
}

Rect RectFields::toRect() const
{
    return Rect{qint32(x), qint32(-y), qint32(x + width), qint32(-y - height)};
}

LineFields LineFields::of(const Keisenn& line)
{
    return LineFields{line.start.x, -qint64(line.start.y), line.end.x, -qint64(line.end.y),
                      line.width, line.color};
}

Point LineFields::start() const
{
    return Point{qint32(x1), qint32(-y1)};
}

Point LineFields::end() const
{
    return Point{qint32(x2), qint32(-y2)};
}

TemplateSetup TemplateSetup::of(const CLabelSheetTemplate& t)
{
    TemplateSetup s;
    s.paperHeight = -qint64(t.paperRect.bottom);
    s.paperWidth = t.paperRect.right;
    s.paperPicture = t.paperPicture;
    s.sheets = t.sheets;
    s.regions = t.regions;
    s.lines = t.keisenns;
    s.printSheetFrames = t.printSheetFrames;
    s.roundSheetCorners = t.roundSheetCorners;
    s.printRuledLines = t.printRuledLines;
    return s;
}

Rect TemplateSetup::paperRect() const
{
    return Rect{0, 0, qint32(paperWidth), qint32(-paperHeight)};
}

bool TemplateSetup::matches(const CLabelSheetTemplate& t) const
{
    // A paper whose left or top edge is off the origin is rewritten at the origin, so it
    // only matches when it already lies there.
    return t.paperRect == paperRect() && t.paperPicture == paperPicture && t.sheets == sheets &&
           t.regions == regions && t.keisenns == lines &&
           t.printSheetFrames == printSheetFrames && t.roundSheetCorners == roundSheetCorners &&
           t.printRuledLines == printRuledLines;
}

bool TemplateSetup::operator==(const TemplateSetup& o) const
{
    return paperHeight == o.paperHeight && paperWidth == o.paperWidth &&
           paperPicture == o.paperPicture && sheets == o.sheets && regions == o.regions &&
           lines == o.lines && printSheetFrames == o.printSheetFrames &&
           roundSheetCorners == o.roundSheetCorners && printRuledLines == o.printRuledLines;
}
