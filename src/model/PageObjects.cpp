#include "PageObjects.h"

#include "CORINOTEDoc.h"

#include <algorithm>

namespace {

// The page's part of a list whose pages hold `perPage` entries each.
void pagePart(int page, int perPage, int size, int& first, int& count)
{
    const qint64 start = qint64(page - 1) * perPage;
    first = int(std::clamp<qint64>(start, 0, size));
    count = std::clamp(perPage, 0, size - first);
}

} // namespace

PageObjects PageObjects::of(const CORINOTEDoc& doc, int page)
{
    PageObjects o;
    if (doc.templateMode) {
        const CLabelSheetTemplate& t = doc.labelTemplate();
        o.sheetCount = t.sheets.size();
        o.regionCount = t.regions.size();
        o.lineCount = t.keisenns.size();
        return o;
    }
    const int n = doc.sheetsPerPage();
    const int m = doc.regionsPerSheet();
    const int k = doc.labelTemplate().keisenns.size();
    pagePart(page, n, doc.sheets().size(), o.firstSheet, o.sheetCount);
    pagePart(page, n * m, doc.textRects().size(), o.firstRegion, o.regionCount);
    pagePart(page, k, doc.keisenns().size(), o.firstLine, o.lineCount);
    return o;
}
