#include "BackgroundPreviewBox.h"

#include "render/RegionPreview.h"
#include "render/RenderSupport.h"

#include <QPainter>

#include <algorithm>

BackgroundPreviewBox::BackgroundPreviewBox(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setMinimumSize(80, 60);
}

void BackgroundPreviewBox::clear()
{
    setBackground(Background());
}

void BackgroundPreviewBox::setBackground(const Background& b)
{
    mBackground = b;
    update();
}

void BackgroundPreviewBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect box = contentsRect();
    painter.fillRect(box, Qt::white);
    if (mBackground.filled)
        painter.fillRect(box, RenderSupport::color(mBackground.color));
    if (mBackground.picture.isEmpty())
        return;
    const QImage image = mPictures.picture(mBackground.picture, mBackground.rotation);
    if (image.isNull())
        return;
    painter.setOpacity(1.0 - std::clamp(mBackground.transparency, 0, 100) / 100.0);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(RegionPreview::pictureRect(image.size(), box), image);
}
