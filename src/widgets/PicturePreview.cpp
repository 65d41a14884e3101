#include "PicturePreview.h"

#include "render/RegionPreview.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <utility>

PicturePreview::PicturePreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(120, 90);
}

void PicturePreview::setPicture(const QString& path, int rotation)
{
    mPath = path;
    mRotation = rotation;
    mImage = path.isEmpty() ? QImage() : mPictures.picture(path, rotation);
    update();
}

void PicturePreview::setBackground(const QColor& color)
{
    mBackground = color;
    update();
}

void PicturePreview::setOpacity(qreal opacity)
{
    mOpacity = opacity;
    update();
}

void PicturePreview::setKeyColor(const QColor& color, bool on)
{
    mKey = color;
    mKeyOn = on;
    update();
}

QCursor PicturePreview::pickingCursor()
{
    // A dropper drawn dark over a light edge, so that it shows on any colour; the colour
    // is taken at its tip, the cursor's hot spot.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF tip(2, 29);
    const QPointF neck(17, 14);
    const QPointF bulb(23, 8);
    for (const auto& [colour, width] :
         {std::pair{QColor(Qt::white), 6.0}, {QColor(Qt::black), 3.0}}) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(tip, neck);
        p.setPen(QPen(colour, width + 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(neck, bulb);
    }
    p.end();
    return QCursor(pixmap, int(tip.x()), int(tip.y()));
}

void PicturePreview::setPicking(bool on)
{
    mPicking = on;
    setCursor(on ? pickingCursor() : QCursor(Qt::ArrowCursor));
}

QRect PicturePreview::pictureRect() const
{
    return RegionPreview::pictureRect(mImage.size(), rect());
}

QColor PicturePreview::colorAt(const QPoint& pos) const
{
    const QRect r = pictureRect();
    if (mImage.isNull() || !r.contains(pos) || r.isEmpty())
        return QColor();
    const int x = (pos.x() - r.left()) * mImage.width() / r.width();
    const int y = (pos.y() - r.top()) * mImage.height() / r.height();
    return QColor(
        mImage.pixel(qBound(0, x, mImage.width() - 1), qBound(0, y, mImage.height() - 1)));
}

void PicturePreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), mBackground);
    if (mImage.isNull())
        return;
    // The keyed picture is the cache's, made once per key colour rather than per paint.
    std::optional<QRgb> key;
    if (mKeyOn && mKey.isValid())
        key = mKey.rgb();
    p.setOpacity(mOpacity);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(pictureRect(), mPictures.picture(mPath, mRotation, key));
}

void PicturePreview::mousePressEvent(QMouseEvent* event)
{
    if (!mPicking)
        return;
    if (event->button() == Qt::RightButton) {
        emit colorPicked(Qt::white);
    } else if (event->button() == Qt::LeftButton) {
        const QColor c = colorAt(event->position().toPoint());
        if (c.isValid())
            emit colorPicked(c);
    }
}
