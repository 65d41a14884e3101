#include "PicturePreview.h"

#include "app/RegionPreview.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QTransform>

PicturePreview::PicturePreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(120, 90);
}

void PicturePreview::setPicture(const QString& path, int rotation)
{
    mImage = QImage();
    if (!path.isEmpty()) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        // A preview never needs more than a screenful of pixels.
        const QSize size = reader.size();
        if (size.isValid() && (size.width() > 2000 || size.height() > 2000))
            reader.setScaledSize(size.scaled(2000, 2000, Qt::KeepAspectRatio));
        mImage = reader.read().convertToFormat(QImage::Format_ARGB32);
        if (!mImage.isNull() && rotation % 360 != 0)
            mImage = mImage.transformed(QTransform().rotate(rotation));
    }
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

void PicturePreview::setPicking(bool on)
{
    mPicking = on;
    setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
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
    return QColor(mImage.pixel(qBound(0, x, mImage.width() - 1), qBound(0, y, mImage.height() - 1)));
}

void PicturePreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), mBackground);
    if (mImage.isNull())
        return;
    QImage shown = mImage;
    if (mKeyOn && mKey.isValid()) {
        const QRgb key = mKey.rgb() & 0xFFFFFF;
        for (int y = 0; y < shown.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
            for (int x = 0; x < shown.width(); ++x)
                if ((line[x] & 0xFFFFFF) == key)
                    line[x] = 0;
        }
    }
    p.setOpacity(mOpacity);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(pictureRect(), shown);
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
