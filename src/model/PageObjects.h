#pragma once

class CORINOTEDoc;

// The objects one page shows, as index ranges into the sheet, region and ruled-line
// families of the mode: the whole template in template mode; in data mode page p (from 1)
// of N sheets of M regions and K lines each shows sheets N(p-1) … Np-1, regions
// NM(p-1) … NMp-1 and lines K(p-1) … Kp-1, cut to the families' lengths.
struct PageObjects
{
    int firstSheet = 0;
    int sheetCount = 0;
    int firstRegion = 0;
    int regionCount = 0;
    int firstLine = 0;
    int lineCount = 0;

    static PageObjects of(const CORINOTEDoc& doc, int page);

    bool hasSheet(int i) const { return i >= firstSheet && i < firstSheet + sheetCount; }
    bool hasRegion(int i) const { return i >= firstRegion && i < firstRegion + regionCount; }
    bool hasLine(int i) const { return i >= firstLine && i < firstLine + lineCount; }
};
