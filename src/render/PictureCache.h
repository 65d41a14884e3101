#pragma once

#include <QCache>
#include <QImage>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

// Loads the pictures of regions, sheets and the paper and draws them.
//
// A picture is read with QImageReader (any format the installed image plugins read),
// turned by quarter turns clockwise, and, with a colour key, has every opaque pixel of
// exactly that colour made transparent. Decoded pictures are kept by path, size and
// modification time of the file, so an edited file is read again; on the screen the
// picture is also kept scaled down to the size it is drawn at, so a repaint does not
// resample a large photograph. A file that cannot be read draws nothing.
class PictureCache
{
public:
    PictureCache();

    // The turned (and keyed) picture of a file; a null image when it cannot be read.
    QImage picture(const QString& path, int rotation, std::optional<QRgb> colorKey = {});

    // Draws the picture stretched over `target` (a rectangle of the painter's world, y
    // up), with the given opacity (0 to 1). With keepAspect the target first shrinks to
    // the picture's aspect ratio, centred along the side that has room to spare. Returns
    // false when the file cannot be read.
    bool draw(QPainter& painter, const QRectF& target, const QString& path, int rotation,
              qreal opacity, std::optional<QRgb> colorKey = {}, bool keepAspect = false);

    // The part of `target` a picture of the given size fills when its aspect is kept.
    static QRectF aspectFit(const QRectF& target, const QSizeF& picture);

    void clear();

private:
    QString key(const QString& path, int rotation, std::optional<QRgb> colorKey) const;

    QCache<QString, QImage> mPictures;
    QCache<QString, QImage> mScaled;
};
