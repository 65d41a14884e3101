#include "PositionEdit.h"

#include "ValueCheck.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>

namespace {

struct Ranges
{
    qint64 maxX;
    qint64 maxY;
    qint64 minHeight;
    qint64 maxHeight;
    qint64 minWidth;
    qint64 maxWidth;
};

Ranges rangesOf(PositionEdit::Kind kind)
{
    switch (kind) {
    case PositionEdit::Sheets:
        return {2970, 4200, 50, 4200, 50, 2970};
    case PositionEdit::Regions:
        return {2100, 2970, 25, 2970, 25, 2100};
    case PositionEdit::Lines:
        break;
    }
    return {2100, 2970, 0, 0, 0, 0};
}

bool within(qint64 v, qint64 low, qint64 high)
{
    return v >= low && v <= high;
}

} // namespace

PositionEdit PositionEdit::load(const CORINOTEDoc& doc, Kind kind)
{
    PositionEdit e;
    e.mKind = kind;
    e.mTemplateMode = doc.templateMode != 0;
    const CLabelSheetTemplate& t = doc.labelTemplate();
    const Rect paper = e.mTemplateMode ? t.paperRect : doc.scalars().paperRect;
    e.mPaperHeight = -qint64(paper.bottom);
    e.mPaperWidth = paper.right;
    switch (kind) {
    case Sheets:
        e.mRects = e.mTemplateMode ? t.sheets.rect() : doc.sheets().rect();
        break;
    case Regions:
        e.mRects = e.mTemplateMode ? t.regions.rect() : doc.textRects().rect();
        break;
    case Lines:
        for (int i = 0; i < t.keisenns.size(); ++i)
            e.mLines.append(t.keisenns.at(i));
        break;
    }
    return e;
}

QString PositionEdit::changeRect(int row, qint64 x, qint64 y, qint64 height, qint64 width)
{
    if (mKind == Lines || row < 0 || row >= mRects.size())
        return QString();
    const Ranges r = rangesOf(mKind);
    if (!within(x, 0, r.maxX) || !within(y, 0, r.maxY) ||
        !within(height, r.minHeight, r.maxHeight) || !within(width, r.minWidth, r.maxWidth))
        return ValueCheck::message();
    mRects[row] = Rect{qint32(x), qint32(-y), qint32(x + width), qint32(-y - height)};
    return QString();
}

QString PositionEdit::changeLine(int row, qint64 x1, qint64 y1, qint64 x2, qint64 y2,
                                 qint64 width, qint32 color)
{
    if (mKind != Lines || row < 0 || row >= mLines.size())
        return QString();
    const Ranges r = rangesOf(Lines);
    if (!within(x1, 0, r.maxX) || !within(x2, 0, r.maxX) || !within(y1, 0, r.maxY) ||
        !within(y2, 0, r.maxY) || !within(width, 1, 30))
        return ValueCheck::message();
    Keisenn& k = mLines[row];
    k.start = Point{qint32(x1), qint32(-y1)};
    k.end = Point{qint32(x2), qint32(-y2)};
    k.width = qint32(width);
    k.color = color;
    return QString();
}

QString PositionEdit::changeLineStyle(const QList<int>& rows, qint64 width, qint32 color)
{
    if (mKind != Lines)
        return QString();
    if (!within(width, 1, 30))
        return ValueCheck::message();
    for (const int row : rows) {
        if (row < 0 || row >= mLines.size())
            continue;
        mLines[row].width = qint32(width);
        mLines[row].color = color;
    }
    return QString();
}

QString PositionEdit::setPaperSize(qint64 height, qint64 width)
{
    if (!within(height, 300, 4200) || !within(width, 300, 2970))
        return QCoreApplication::translate("PositionEdit",
                                           "用紙サイズの設定をやりなおしてください");
    mPaperHeight = height;
    mPaperWidth = width;
    return QString();
}

void PositionEdit::apply(CORINOTEDoc& doc) const
{
    doc.takeUndoSnapshot(QStringLiteral("位置・サイズ調整"));
    CLabelSheetTemplate& t = doc.labelTemplate();
    const bool templateMode = mTemplateMode;
    switch (mKind) {
    case Sheets: {
        const Rect paper{0, 0, qint32(mPaperWidth), qint32(-mPaperHeight)};
        SheetFamily& sheets = templateMode ? t.sheets : doc.sheets();
        for (int i = 0; i < mRects.size() && i < sheets.size(); ++i)
            sheets.setRect(i, mRects.at(i));
        if (templateMode)
            t.paperRect = paper;
        else
            doc.scalars().paperRect = paper;
        break;
    }
    case Regions: {
        TextRectFamily& regions = templateMode ? t.regions : doc.textRects();
        for (int i = 0; i < mRects.size() && i < regions.size(); ++i)
            regions.setRect(i, mRects.at(i));
        break;
    }
    case Lines:
        for (int i = 0; i < mLines.size() && i < t.keisenns.size(); ++i) {
            t.keisenns.setStart(i, mLines.at(i).start);
            t.keisenns.setEnd(i, mLines.at(i).end);
            t.keisenns.setWidth(i, mLines.at(i).width);
            t.keisenns.setColor(i, mLines.at(i).color);
        }
        break;
    }
    doc.setModified();
    doc.updateAllViews();
}
