#include "RegionPreviewBox.h"

#include "render/RegionPreview.h"

#include <QPainter>

RegionPreviewBox::RegionPreviewBox(const CORINOTEDoc& doc, QWidget* parent)
    : QFrame(parent), mDoc(doc)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMinimumSize(120, 90);
}

void RegionPreviewBox::setRegion(int index)
{
    mRegion = index;
    update();
}

void RegionPreviewBox::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        RegionPreview::paint(painter, contentsRect(), mDoc, mRegion, mPictures);
    }
    QFrame::paintEvent(event);
}
