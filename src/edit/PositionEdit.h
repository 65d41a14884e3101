#pragma once

#include "base/Geometry.h"
#include "model/Keisenn.h"

#include <QList>
#include <QString>

class CORINOTEDoc;

// A copy of all sheets (with the paper), all text regions or all ruled lines of the
// layout being edited, changed row by row by a position and size dialog and written back
// in one step on OK. Values are as the dialogs show them: y as a distance below the
// paper's top edge, sizes as height and width.
class PositionEdit
{
public:
    enum Kind
    {
        Sheets,  // the sheets and the paper size
        Regions, // the text regions
        Lines,   // the template's ruled lines
    };

    // The objects of the kind: the template's in template mode, the data-mode layout's
    // otherwise (ruled lines: always the template's).
    static PositionEdit load(const CORINOTEDoc& doc, Kind kind);

    Kind kind() const { return mKind; }
    int rowCount() const { return int(mKind == Lines ? mLines.size() : mRects.size()); }
    const QList<Rect>& rects() const { return mRects; }
    const QList<Keisenn>& lines() const { return mLines; }
    qint64 paperHeight() const { return mPaperHeight; }
    qint64 paperWidth() const { return mPaperWidth; }

    // Gives row `row` the rectangle (x, −y, x + width, −y − height) when every value is in
    // its range; else "入力された数値は正しくありません。" and nothing changes.
    QString changeRect(int row, qint64 x, qint64 y, qint64 height, qint64 width);
    // Gives a ruled line the points (x1, −y1)-(x2, −y2), width and colour, checked alike.
    QString changeLine(int row, qint64 x1, qint64 y1, qint64 x2, qint64 y2, qint64 width,
                       qint32 color);
    // Gives several ruled lines the width and colour only.
    QString changeLineStyle(const QList<int>& rows, qint64 width, qint32 color);
    // The paper size of the sheet dialog: 300..4200 high, 300..2970 wide, else
    // "用紙サイズの設定をやりなおしてください".
    QString setPaperSize(qint64 height, qint64 width);

    // Writes the copy into the document after one undo snapshot, marks it modified and
    // redraws; the sheets' paper too. The selection stays: no object comes or goes.
    void apply(CORINOTEDoc& doc) const;

private:
    Kind mKind = Sheets;
    bool mTemplateMode = true;
    QList<Rect> mRects;
    QList<Keisenn> mLines;
    qint64 mPaperHeight = 0;
    qint64 mPaperWidth = 0;
};
