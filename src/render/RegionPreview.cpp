#include "RegionPreview.h"

#include "PictureCache.h"
#include "RenderSupport.h"
#include "model/CORINOTEDoc.h"

#include <QPainter>

#include <algorithm>
#include <optional>

namespace RegionPreview {

QRect pictureRect(const QSize& picture, const QRect& box)
{
    if (picture.isEmpty() || box.isEmpty())
        return QRect();
    QSize size = picture;
    if (size.width() > box.width() || size.height() > box.height())
        size = picture.scaled(box.size(), Qt::KeepAspectRatio);
    size = size.expandedTo(QSize(1, 1));
    return QRect(box.left() + (box.width() - size.width()) / 2,
                 box.top() + (box.height() - size.height()) / 2, size.width(), size.height());
}

void paint(QPainter& painter, const QRect& box, const CORINOTEDoc& doc, int index,
           PictureCache& pictures)
{
    painter.fillRect(box, Qt::white);
    const TextRectFamily& r = doc.textRects();
    if (index < 0 || index >= r.size())
        return;
    if (r.backColorOff(index) == 0)
        painter.fillRect(box, RenderSupport::color(r.backColor(index)));

    const QString path = r.backPicture(index);
    if (path.isEmpty())
        return;
    std::optional<QRgb> key;
    if (r.transparentColorOn(index) != 0)
        key = RenderSupport::color(r.transparentColor(index)).rgb();
    const QImage image = pictures.picture(path, r.backPictureRotation(index), key);
    if (image.isNull())
        return;
    const int transparency = std::clamp(r.pictureTransparency(index), 0, 100);
    painter.save();
    painter.setOpacity(1.0 - transparency / 100.0);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(image.size(), box), image);
    painter.restore();
}

} // namespace RegionPreview
