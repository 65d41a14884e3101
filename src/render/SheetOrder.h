#pragma once

#include "base/Geometry.h"

#include <QList>
#include <QPoint>
#include <QRect>

#include <functional>

class CLabelSheetTemplate;
class CORINOTEDoc;

// The sheet order of the template (シートオーダー): the user picks the template's sheets
// one after the other on a miniature of the paper, and the template's sheet list is then
// put into the picked order, sheet No. 1 being the first sheet picked.
//
// An object holds the paper and sheet rectangles it was made from and the order chosen
// so far; it does not refer to the document, so a dialog may keep it while the user
// clicks. apply() changes the document.
class SheetOrder
{
public:
    // The papers up to this size (A4 portrait) are drawn on the A4 scale, larger ones on
    // the A3 scale.
    static constexpr int SmallPaperWidth = 2100;
    static constexpr int SmallPaperHeight = 2970;
    static constexpr int LargePaperWidth = 2970;
    static constexpr int LargePaperHeight = 4200;

    explicit SheetOrder(const CLabelSheetTemplate& t);
    SheetOrder(const Rect& paper, const QList<Rect>& sheets);

    // --- the miniature
    // Maps a paper point into the picture area `area` (its width W, height H and top-left
    // corner X0, Y0): x' = X0 + x·W/2100, y' = Y0 − y·H/2970 when `paper` fits in A4
    // portrait, else x' = X0 + x·W/2970, y' = Y0 − y·H/4200; each quotient truncated
    // toward zero. Results beyond the int range are clamped.
    static QPoint mapToPicture(qint32 x, qint32 y, const Rect& paper, const QRect& area);
    // The miniature of a paper rectangle: its two corners mapped, normalised, and at least
    // one pixel wide and high, so that every sheet can be picked. A point is inside when
    // left <= x < left + width and top <= y < top + height.
    static QRect miniature(const Rect& r, const Rect& paper, const QRect& area);

    const Rect& paper() const { return mPaper; }
    const QList<Rect>& sheets() const { return mSheets; }
    int sheetCount() const { return int(mSheets.size()); }
    QRect paperMiniature(const QRect& area) const { return miniature(mPaper, mPaper, area); }
    QRect sheetMiniature(int sheet, const QRect& area) const;

    // --- choosing
    // The first sheet, in list order, whose miniature contains `point` and that has not
    // been chosen yet; -1 when there is none.
    int sheetAt(const QPoint& point, const QRect& area) const;
    // Appends sheetAt(point, area) to the chosen order. Returns that sheet, or -1 (nothing
    // chosen) when the point lies on no sheet that is still free.
    int chooseAt(const QPoint& point, const QRect& area);
    // Appends `sheet` to the chosen order; false when it is out of range or chosen already.
    bool choose(int sheet);
    // Empties the chosen order (リセット).
    void reset() { mChosen.clear(); }

    // The chosen sheets (0-based indices into the sheet list) in the order chosen.
    const QList<int>& chosen() const { return mChosen; }
    // The 1-based position of `sheet` in the chosen order, 0 when it is not chosen.
    int orderNumber(int sheet) const { return int(mChosen.indexOf(sheet)) + 1; }
    int remaining() const { return sheetCount() - int(mChosen.size()); }
    bool isComplete() const { return remaining() == 0; }

    // --- applying an order to the document
    // True when `order` names every sheet of a list of `count` sheets exactly once.
    static bool isPermutation(const QList<int>& order, int count);
    // True when the rectangle of sheet No. 1 after `order` differs from the present one.
    static bool firstSheetChanges(const CLabelSheetTemplate& t, const QList<int>& order);

    // Asked after the sheets have been reordered, when sheet No. 1's rectangle changed and
    // the template has text regions: true moves the regions onto the new sheet No. 1.
    using MoveQuestion = std::function<bool()>;

    // Puts the template's sheets into `order` (new sheet k is sheet order[k] with every
    // per-sheet setting it has): an undo snapshot first; then, when sheet No. 1's
    // rectangle changed, the template has regions and `askMove` answers true, every
    // template region is mapped from the old sheet No. 1's rectangle to the new one's as
    // the design of sheet No. 1 is repeated on the other sheets. The selection is
    // emptied, sheet 1 made current, the document marked modified and redrawn.
    // An order that is not a permutation of the sheets changes nothing and returns false.
    static bool apply(CORINOTEDoc& doc, const QList<int>& order, const MoveQuestion& askMove);

private:
    Rect mPaper;
    QList<Rect> mSheets;
    QList<int> mChosen;
};
