#include "RegionTurn.h"

#include "EditLayout.h"

#include "model/CORINOTEDoc.h"

#include <algorithm>

namespace RegionTurn {

Rect turned(const Rect& r, int angle, bool clockwise)
{
    const qint64 w = qint64(r.right) - r.left;
    const qint64 h = qint64(r.top) - r.bottom;
    if (clockwise) {
        switch (angle) {
        case 0:
            return Rect{offsetCoordinate(r.left, -h), r.top, r.left, offsetCoordinate(r.top, -w)};
        case 900:
            return Rect{offsetCoordinate(r.right, -h), offsetCoordinate(r.top, w), r.right, r.top};
        case 1800:
            return Rect{r.right, offsetCoordinate(r.bottom, w), offsetCoordinate(r.right, h),
                        r.bottom};
        case 2700:
            return Rect{r.left, r.bottom, offsetCoordinate(r.left, h),
                        offsetCoordinate(r.bottom, -w)};
        default:
            return r;
        }
    }
    // The exact inverses: each undoes the clockwise turn into `angle`.
    switch (angle) {
    case 900:
        return Rect{r.right, r.top, offsetCoordinate(r.right, h), offsetCoordinate(r.top, -w)};
    case 1800:
        return Rect{offsetCoordinate(r.right, -h), r.bottom, r.right,
                    offsetCoordinate(r.bottom, -w)};
    case 2700:
        return Rect{offsetCoordinate(r.left, -h), offsetCoordinate(r.bottom, w), r.left, r.bottom};
    case 0:
        return Rect{r.left, offsetCoordinate(r.top, w), offsetCoordinate(r.left, h), r.top};
    default:
        return r;
    }
}

int nextAngle(int angle, bool clockwise)
{
    switch (angle) {
    case 0:
        return clockwise ? 900 : 2700;
    case 900:
        return clockwise ? 1800 : 0;
    case 1800:
        return clockwise ? 2700 : 900;
    case 2700:
        return clockwise ? 0 : 1800;
    default:
        return angle;
    }
}

int nextPictureRotation(int rotation, bool clockwise)
{
    const int r = ((rotation / 90) % 4 + 4) % 4;
    return ((r + (clockwise ? 1 : 3)) % 4) * 90;
}

Rect keptOn(const Rect& r, const Rect& paper)
{
    qint64 dx = 0;
    qint64 dy = 0;
    if (r.right > paper.right)
        dx = qint64(paper.right) - r.right;
    if (r.left + dx < paper.left)
        dx = qint64(paper.left) - r.left;
    if (r.bottom < paper.bottom)
        dy = qint64(paper.bottom) - r.bottom;
    if (r.top + dy > paper.top)
        dy = qint64(paper.top) - r.top;
    return Rect{offsetCoordinate(r.left, dx), offsetCoordinate(r.top, dy),
                offsetCoordinate(r.right, dx), offsetCoordinate(r.bottom, dy)};
}

bool turnRegion(CORINOTEDoc& doc, bool clockwise)
{
    EditLayout layout = EditLayout::of(doc);
    const int i = doc.selection().textRect;
    if (!layout.objects.hasRegion(i))
        return false;
    TextRectFamily& regions = *layout.regions;
    FontRecord font = regions.font(i);
    const int angle = font.escapement;
    const int next = nextAngle(angle, clockwise);
    if (next == angle)
        return false;
    const Rect paper = doc.templateMode ? doc.labelTemplate().paperRect : doc.scalars().paperRect;
    const Rect before = regions.rect(i);
    Rect after = turned(before, angle, clockwise);
    if (keptOn(before, paper) == before)
        after = keptOn(after, paper);
    regions.setRect(i, after);
    font.escapement = font.orientation = next;
    regions.setFont(i, font);
    regions.setBackPictureRotation(i,
                                   nextPictureRotation(regions.backPictureRotation(i), clockwise));
    return true;
}

bool turnRegionPicture(CORINOTEDoc& doc, bool clockwise)
{
    EditLayout layout = EditLayout::of(doc);
    const int i = doc.selection().textRect;
    if (!layout.objects.hasRegion(i) || layout.regions->backPicture(i).isEmpty())
        return false;
    layout.regions->setBackPictureRotation(
        i, nextPictureRotation(layout.regions->backPictureRotation(i), clockwise));
    return true;
}

int pictureSheet(const CORINOTEDoc& doc)
{
    const bool templateMode = doc.templateMode != 0;
    const SheetFamily& sheets = templateMode ? doc.labelTemplate().sheets : doc.sheets();
    const int chosen = templateMode ? doc.selection().sheet : doc.scalars().currentSheetNo - 1;
    if (chosen < 0 || chosen >= sheets.size())
        return -1;
    return doc.scalars().perSheetBackgrounds ? chosen : 0;
}

bool turnSheetPicture(CORINOTEDoc& doc, bool clockwise)
{
    const int i = pictureSheet(doc);
    SheetFamily& sheets = doc.templateMode ? doc.labelTemplate().sheets : doc.sheets();
    if (i < 0 || sheets.backPicture(i).isEmpty())
        return false;
    sheets.setBackPictureRotation(i, nextPictureRotation(sheets.backPictureRotation(i), clockwise));
    return true;
}

} // namespace RegionTurn
