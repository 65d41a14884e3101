#include "SheetCopies.h"

#include "model/CORINOTEDoc.h"

namespace SheetCopies {

bool allAlike(CORINOTEDoc& doc)
{
    SheetFamily& sheets = doc.labelTemplate().sheets;
    if (sheets.size() < 2)
        return false;
    const Sheet first = sheets.at(0);
    for (int i = 1; i < sheets.size(); ++i) {
        Sheet s = first;
        s.rect = sheets.rect(i);
        sheets.removeAt(i);
        sheets.insert(i, s);
    }
    doc.selection().clear();
    doc.scalars().currentSheetNo = 1;
    return true;
}

} // namespace SheetCopies
