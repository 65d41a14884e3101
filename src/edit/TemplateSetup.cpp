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
    return LineFields{line.start.x, -qint64(line.start.y),
                      line.end.x,   -qint64(line.end.y),
                      line.width,   line.color};
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
           t.regions == regions && t.keisenns == lines && t.printSheetFrames == printSheetFrames &&
           t.roundSheetCorners == roundSheetCorners && t.printRuledLines == printRuledLines;
}

TemplateSetup TemplateSetup::rebased(const TemplateSetup& edited, const TemplateSetup& base,
                                     const TemplateSetup& now)
{
    TemplateSetup out = now;
    if (edited.paperHeight != base.paperHeight || edited.paperWidth != base.paperWidth ||
        edited.paperPicture != base.paperPicture) {
        out.paperHeight = edited.paperHeight;
        out.paperWidth = edited.paperWidth;
        out.paperPicture = edited.paperPicture;
    }
    if (!(edited.sheets == base.sheets))
        out.sheets = edited.sheets;
    if (!(edited.regions == base.regions))
        out.regions = edited.regions;
    if (!(edited.lines == base.lines))
        out.lines = edited.lines;
    if (edited.printSheetFrames != base.printSheetFrames ||
        edited.roundSheetCorners != base.roundSheetCorners ||
        edited.printRuledLines != base.printRuledLines) {
        out.printSheetFrames = edited.printSheetFrames;
        out.roundSheetCorners = edited.roundSheetCorners;
        out.printRuledLines = edited.printRuledLines;
    }
    return out;
}

bool TemplateSetup::operator==(const TemplateSetup& o) const
{
    return paperHeight == o.paperHeight && paperWidth == o.paperWidth &&
           paperPicture == o.paperPicture && sheets == o.sheets && regions == o.regions &&
           lines == o.lines && printSheetFrames == o.printSheetFrames &&
           roundSheetCorners == o.roundSheetCorners && printRuledLines == o.printRuledLines;
}
