#include "ZoomControl.h"

#include "model/CORINOTEDoc.h"

bool ZoomControl::canZoomIn(const CORINOTEDoc& doc)
{
    return doc.zoomIndex() < CORINOTEDoc::ZoomCount - 1;
}

bool ZoomControl::canZoomOut(const CORINOTEDoc& doc)
{
    return doc.zoomIndex() > 0;
}

bool ZoomControl::zoomIn(CORINOTEDoc& doc)
{
    if (!canZoomIn(doc))
        return false;
    doc.setZoomIndex(doc.zoomIndex() + 1);
    return true;
}

bool ZoomControl::zoomOut(CORINOTEDoc& doc)
{
    if (!canZoomOut(doc))
        return false;
    doc.setZoomIndex(doc.zoomIndex() - 1);
    return true;
}

bool ZoomControl::wheel(CORINOTEDoc& doc, int angleDelta)
{
    if ((mPending > 0 && angleDelta < 0) || (mPending < 0 && angleDelta > 0))
        mPending = 0;
    mPending += angleDelta;
    bool changed = false;
    while (mPending >= Notch) {
        mPending -= Notch;
        changed = zoomIn(doc) || changed;
    }
    while (mPending <= -Notch) {
        mPending += Notch;
        changed = zoomOut(doc) || changed;
    }
    return changed;
}
