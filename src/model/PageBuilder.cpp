#include "PageBuilder.h"

#include "CORINOTEDoc.h"

namespace PageBuilder {

void copyTemplate(CORINOTEDoc& doc)
{
    const CLabelSheetTemplate& t = doc.labelTemplate();
    DocumentScalars& s = doc.scalars();
    s.paperRect = t.paperRect;
    s.verticalText = t.verticalText;
    s.printSheetFrames = t.printSheetFrames;
    s.roundSheetCorners = t.roundSheetCorners;
    s.printRuledLines = t.printRuledLines;

    SheetFamily& sheets = doc.sheets();
    sheets.clear();
    for (int i = 0; i < t.sheets.size(); ++i) {
        Sheet sheet = t.sheets.at(i);
        sheet.autoCols = s.autoCols;
        sheet.autoRows = s.autoRows;
        sheets.append(sheet);
    }

    doc.keisenns() = t.keisenns;

    TextRectFamily& regions = doc.textRects();
    regions.clear();
    for (int i = 0; i < t.regions.size(); ++i) {
        TextRect r = t.regions.at(i);
        r.text.clear();
        r.sheetNo = 1;
        r.orderSheetNo = 1;
        regions.append(r);
    }
}

Rect mapBetweenSheets(const Rect& r, const Rect& from, const Rect& to)
{
    const double sx = from.right != from.left
                          ? double(to.right - to.left) / double(from.right - from.left)
                          : 1.0;
    const double sy = from.bottom != from.top
                          ? double(to.bottom - to.top) / double(from.bottom - from.top)
                          : 1.0;
    // Truncated toward zero, and held in the coordinates' range: a damaged file's sheets
    // can scale a region far beyond it.
    const auto coordinate = [](double v) {
        return v <= double(INT32_MIN) ? INT32_MIN
               : v >= double(INT32_MAX) ? INT32_MAX
                                        : qint32(v);
    };
    Rect m;
    m.left = coordinate(to.left + (double(r.left) - from.left) * sx);
    m.right = coordinate(m.left + (double(r.right) - r.left) * sx);
    m.top = coordinate(to.top + (double(r.top) - from.top) * sy);
    m.bottom = coordinate(m.top + (double(r.bottom) - r.top) * sy);
    return m;
}

void repeatFirstSheetDesign(CORINOTEDoc& doc)
{
    const CLabelSheetTemplate& t = doc.labelTemplate();
    if (t.sheets.isEmpty())
        return;
    const Rect first = t.sheets.rect(0);
    TextRectFamily& regions = doc.textRects();
    for (int i = 1; i < t.sheets.size(); ++i) {
        const Rect target = t.sheets.rect(i);
        for (int k = 0; k < t.regions.size(); ++k) {
            TextRect r = t.regions.at(k);
            r.rect = mapBetweenSheets(r.rect, first, target);
            r.text.clear();
            r.sheetNo = i + 1;
            r.orderSheetNo = i + 1;
            regions.append(r);
        }
    }
}

void buildPageOne(CORINOTEDoc& doc)
{
    copyTemplate(doc);
    repeatFirstSheetDesign(doc);
}

} // namespace PageBuilder
