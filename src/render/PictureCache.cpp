#include "PictureCache.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <cmath>

namespace {

// Costs are in kilobytes: up to 256 MB of decoded pictures and 64 MB of scaled copies.
constexpr int kPictureBudget = 256 * 1024;
constexpr int kScaledBudget = 64 * 1024;

int costOf(const QImage& image)
{
    return int(qMax<qsizetype>(1, image.sizeInBytes() / 1024));
}

QImage load(const QString& path, int rotation, std::optional<QRgb> colorKey)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        return image;
    if (colorKey) {
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = *colorKey & 0xFFFFFF;
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(line[x]) == 255 && (line[x] & 0xFFFFFF) == key)
                    line[x] = 0;
            }
        }
    }
    if (rotation == 90 || rotation == 180 || rotation == 270)
        image = image.transformed(QTransform().rotate(rotation));
    if (image.hasAlphaChannel())
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    else if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    return image;
}

} // namespace

PictureCache::PictureCache() : mPictures(kPictureBudget), mScaled(kScaledBudget) {}

void PictureCache::clear()
{
    mPictures.clear();
    mScaled.clear();
}

QString PictureCache::key(const QString& path, int rotation, std::optional<QRgb> colorKey) const
{
    const QFileInfo info(path);
    return QStringLiteral("%1\n%2\n%3\n%4\n%5")
        .arg(path)
        .arg(info.lastModified().toMSecsSinceEpoch())
        .arg(info.size())
        .arg(rotation)
        .arg(colorKey ? qint64(*colorKey & 0xFFFFFF) : -1);
}

QImage PictureCache::picture(const QString& path, int rotation, std::optional<QRgb> colorKey)
{
    if (path.isEmpty())
        return QImage();
    const QString k = key(path, rotation, colorKey);
    if (const QImage* cached = mPictures.object(k))
        return *cached;
    QImage image = load(path, rotation, colorKey);
    if (!image.isNull())
        mPictures.insert(k, new QImage(image), costOf(image));
    return image;
}

QRectF PictureCache::aspectFit(const QRectF& target, const QSizeF& picture)
{
    if (picture.isEmpty() || target.isEmpty())
        return target;
    const qreal pictureAspect = picture.width() / picture.height();
    const qreal targetAspect = target.width() / target.height();
    QRectF r = target;
    if (targetAspect > pictureAspect) {
        r.setWidth(target.height() * pictureAspect);
        r.moveLeft(target.left() + (target.width() - r.width()) / 2);
    } else {
        r.setHeight(target.width() / pictureAspect);
        r.moveTop(target.top() + (target.height() - r.height()) / 2);
    }
    return r;
}

bool PictureCache::draw(QPainter& painter, const QRectF& target, const QString& path, int rotation,
                        qreal opacity, std::optional<QRgb> colorKey, bool keepAspect)
{
    const QImage image = picture(path, rotation, colorKey);
    if (image.isNull())
        return false;
    const QRectF r = keepAspect ? aspectFit(target, image.size()) : target;
    if (r.isEmpty() || opacity <= 0)
        return true;

    painter.save();
    // The picture's rows run down the page: draw it in a frame with y down.
    painter.translate(r.left(), r.bottom());
    painter.scale(1, -1);
    const QRectF local(0, 0, r.width(), r.height());

    // Resample a large picture once to the size it takes on the device, not on every
    // repaint; vector devices (PDF) get the same resolution they would rasterise at.
    const QSizeF onDevice = painter.combinedTransform().mapRect(local).size();
    const QSize want(int(std::ceil(onDevice.width())), int(std::ceil(onDevice.height())));
    QImage drawn = image;
    if (want.width() > 0 && want.height() > 0 && want.width() < image.width() &&
        want.height() < image.height()) {
        const QString k = key(path, rotation, colorKey) +
                          QStringLiteral("\n%1x%2").arg(want.width()).arg(want.height());
        if (const QImage* cached = mScaled.object(k)) {
            drawn = *cached;
        } else {
            drawn = image.scaled(want, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            mScaled.insert(k, new QImage(drawn), costOf(drawn));
        }
    }
    painter.setOpacity(painter.opacity() * qBound<qreal>(0, opacity, 1));
    painter.drawImage(local, drawn);
    painter.restore();
    return true;
}
