#include "RegionBackground.h"

#include "TextAttributes.h"

#include "model/CORINOTEDoc.h"

#include <algorithm>
#include <cmath>

namespace RegionBackground {

Values of(const CORINOTEDoc& doc)
{
    Values v;
    const int i = TextAttributes::selected(doc);
    if (i < 0)
        return v;
    const TextRectFamily& r = TextAttributes::regions(doc);
    v.color = r.backColor(i);
    v.noColor = r.backColorOff(i) != 0;
    v.picture = r.backPicture(i);
    v.keyColor = r.transparentColor(i);
    v.keyOn = r.transparentColorOn(i) != 0;
    v.transparency = r.pictureTransparency(i);
    return v;
}

void apply(CORINOTEDoc& doc, const Values& v)
{
    const int i = TextAttributes::selected(doc);
    if (i < 0)
        return;
    doc.takeUndoSnapshot(QStringLiteral("背景"));
    TextRectFamily& r = TextAttributes::regions(doc);
    r.setBackColor(i, v.color);
    r.setBackColorOff(i, v.noColor ? 1 : 0);
    r.setBackPicture(i, v.picture);
    r.setTransparentColor(i, v.keyColor);
    r.setTransparentColorOn(i, v.keyOn ? 1 : 0);
    r.setPictureTransparency(i, std::clamp(v.transparency, 0, 100));
    doc.setModified();
    doc.updateAllViews();
}

void fitToPicture(CORINOTEDoc& doc, const QSize& picture)
{
    const int i = TextAttributes::selected(doc);
    if (i < 0 || picture.width() <= 0 || picture.height() <= 0)
        return;
    TextRectFamily& regions = TextAttributes::regions(doc);
    Rect r = regions.rect(i);
    const qint64 w = qint64(r.right) - r.left;
    const qint64 h = qint64(r.top) - r.bottom;
    const double pw = picture.width();
    const double ph = picture.height();
    const qint64 fittedWidth = qint64(std::trunc(h * pw / ph));
    const qint64 fittedHeight = qint64(std::trunc(w * ph / pw));
    if (w < fittedWidth) {
        const qint64 top = r.top - (h - fittedHeight) / 2;
        r.top = qint32(top);
        r.bottom = qint32(top - fittedHeight);
    } else {
        const qint64 left = r.left + (w - fittedWidth) / 2;
        r.left = qint32(left);
        r.right = qint32(left + fittedWidth);
    }
    regions.setRect(i, r);
    doc.setModified();
    doc.updateAllViews();
}

} // namespace RegionBackground
