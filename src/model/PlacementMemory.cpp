#include "PlacementMemory.h"

void PlacementMemory::rememberCsv(const Csv& csv)
{
    // The rows are placed on pages built anew: earlier pictures are gone from them.
    mCsv = csv;
    mPictures.clear();
}

void PlacementMemory::rememberPictures(const Pictures& pictures)
{
    if (!pictures.keep)
        clear();
    mPictures.append(pictures);
}

void PlacementMemory::clear()
{
    mCsv.reset();
    mPictures.clear();
}
