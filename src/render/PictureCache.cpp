#include "PictureCache.h"

#include "PictureFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPainter>
#include <QThreadPool>

#include <cmath>

namespace {

// Costs are in kilobytes.
constexpr int kSizeEntries = 4096;

int costOf(const QImage& image)
{
    return int(qMax<qsizetype>(1, image.sizeInBytes() / 1024));
}

bool quarterTurned(int rotation)
{
    return rotation == 90 || rotation == 270;
}

// Reads the picture, decoded at `decodeSize` (before turning) when one is given, then
// keys, turns and brings it to a format the painter draws fast. `damaged` is set when the
// decoder met damaged data.
QImage load(const QString& path, int rotation, std::optional<QRgb> colorKey,
            const QSize& decodeSize, bool* damaged)
{
    QImage image = PictureFile::read(path, decodeSize, damaged);
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

// The picture without a colour key, decoded straight to its drawn size (once turned).
PictureCache::Decoded loadDrawn(const QString& path, int rotation, const QSize& size)
{
    PictureCache::Decoded d;
    d.image = load(path, rotation, {}, quarterTurned(rotation) ? size.transposed() : size,
                   &d.damaged);
    return d;
}

} // namespace

PictureCache::PictureCache()
    : mPictures(int(WholeBudget / 1024)), mDrawn(int(DrawnBudget / 1024)), mSizes(kSizeEntries)
{
}

void PictureCache::clear()
{
    mAhead.clear();
    mPictures.clear();
    mDrawn.clear();
    mSizes.clear();
    mFailed.clear();
    mDamaged.clear();
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
    if (mFailed.contains(k))
        return QImage();
    bool damaged = false;
    QImage image = load(path, rotation, colorKey, QSize(), &damaged);
    noteDecoded(k, path, image, damaged);
    if (!image.isNull())
        mPictures.insert(k, new QImage(image), costOf(image));
    return image;
}

QSize PictureCache::pictureSize(const QString& path, int rotation)
{
    if (path.isEmpty())
        return QSize();
    const QString k = key(path, rotation, {});
    if (const PictureFile::Header* cached = mSizes.object(k))
        return cached->size;
    PictureFile::Header header = PictureFile::header(path);
    if (header.size.isValid() && quarterTurned(rotation))
        header.size.transpose();
    mSizes.insert(k, new PictureFile::Header(header));
    return header.size;
}

bool PictureCache::fits(const QString& path, int rotation, const QSize& drawn)
{
    const QSize whole = pictureSize(path, rotation);
    const PictureFile::Header* header = mSizes.object(key(path, rotation, {}));
    return PictureFile::fits(whole, drawn, header && header->scalesInDecoder);
}

void PictureCache::noteDecoded(const QString& failKey, const QString& path, const QImage& image,
                               bool damaged)
{
    if (image.isNull())
        mFailed.insert(failKey);
    if (damaged && !mDamaged.contains(path))
        mDamaged.append(path);
}

QRectF PictureCache::aspectFit(const QRectF& target, const QSize& picture)
{
    if (picture.isEmpty() || target.isEmpty())
        return target;
    const qreal pictureAspect = qreal(picture.width()) / picture.height();
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

QSize PictureCache::drawnSize(const QSizeF& onDevice, const QSize& picture, qreal deviceDpi,
                              int limitDpi)
{
    QSizeF want = onDevice;
    if (limitDpi > 0 && deviceDpi > limitDpi)
        want *= limitDpi / deviceDpi;
    const int w = int(std::min<qreal>(std::ceil(want.width()), picture.width()));
    const int h = int(std::min<qreal>(std::ceil(want.height()), picture.height()));
    return QSize(std::max(1, w), std::max(1, h));
}

QString PictureCache::drawnKey(const QString& key, const QSize& size)
{
    return key + QStringLiteral("\n%1x%2").arg(size.width()).arg(size.height());
}

QImage PictureCache::drawnPicture(const QString& k, const QString& path, int rotation,
                                  std::optional<QRgb> colorKey, const QSize& size,
                                  const QSize& whole)
{
    if (size == whole)
        return picture(path, rotation, colorKey);
    const QString drawnKey = PictureCache::drawnKey(k, size);
    if (const QImage* cached = mDrawn.object(drawnKey))
        return *cached;
    if (const auto ahead = mAhead.find(drawnKey); ahead != mAhead.end()) {
        const Decoded decoded = ahead->second.first.get();
        mAhead.erase(ahead);
        ++mTakenAhead;
        noteDecoded(drawnKey, path, decoded.image, decoded.damaged);
        if (!decoded.image.isNull())
            mDrawn.insert(drawnKey, new QImage(decoded.image), costOf(decoded.image));
        return decoded.image;
    }
    // A size that failed once fails again: not decoded at every repaint.
    if (mFailed.contains(drawnKey))
        return QImage();
    QImage image;
    if (colorKey) {
        // The key must match the file's own pixels, before resampling blends them.
        image = picture(path, rotation, colorKey);
        if (!image.isNull())
            image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        else
            mFailed.insert(drawnKey);
    } else {
        const Decoded decoded = loadDrawn(path, rotation, size);
        image = decoded.image;
        noteDecoded(drawnKey, path, image, decoded.damaged);
    }
    if (!image.isNull())
        mDrawn.insert(drawnKey, new QImage(image), costOf(image));
    return image;
}

bool PictureCache::draw(QPainter& painter, const QRectF& target, const QString& path, int rotation,
                        qreal opacity, std::optional<QRgb> colorKey, bool keepAspect)
{
    const QSize whole = pictureSize(path, rotation);
    if (!whole.isValid() || whole.isEmpty())
        return false;
    const QRectF r = keepAspect ? aspectFit(target, whole) : target;
    if (r.isEmpty() || opacity <= 0)
        return true;

    painter.save();
    // The picture's rows run down the page: draw it in a frame with y down.
    painter.translate(r.left(), r.bottom());
    painter.scale(1, -1);
    const QRectF local(0, 0, r.width(), r.height());

    // A PDF keeps every picture as embedded; it needs no more than print resolution.
    const QSizeF onDevice = painter.combinedTransform().mapRect(local).size();
    const QPaintEngine* engine = painter.paintEngine();
    bool embedded = engine && engine->type() == QPaintEngine::Pdf;
    qreal dpi = painter.device() ? painter.device()->logicalDpiX() : 0;
    if (mCollecting) {
        embedded = mCollecting->embedded;
        dpi = mCollecting->dpi;
    }
    const QSize size = drawnSize(onDevice, whole, dpi, embedded ? PrintDpi : 0);
    // Judged by the header: what the decoder would refuse, or walk every pixel of for
    // minutes, is never decoded, and draws nothing at all.
    if (!fits(path, rotation, colorKey ? whole : size)) {
        painter.restore();
        return false;
    }
    if (mCollecting) {
        painter.restore();
        if (!colorKey && size != whole)
            mCollecting->pictures.append(
                {drawnKey(key(path, rotation, {}), size), path, rotation, size});
        return true;
    }
    const QImage drawn =
        drawnPicture(key(path, rotation, colorKey), path, rotation, colorKey, size, whole);
    if (!drawn.isNull()) {
        painter.setOpacity(painter.opacity() * qBound<qreal>(0, opacity, 1));
        painter.drawImage(local, drawn);
    }
    painter.restore();
    return !drawn.isNull();
}

void PictureCache::startCollecting(qreal dpi, bool embedded)
{
    mCollecting = Collecting{dpi, embedded, {}};
}

int PictureCache::decodeCollected()
{
    if (!mCollecting)
        return 0;
    const Collecting collected = std::move(*mCollecting);
    mCollecting.reset();
    ++mRound;
    for (auto it = mAhead.begin(); it != mAhead.end();)
        it = it->second.second < mRound - 2 ? mAhead.erase(it) : std::next(it);
    int started = 0;
    for (const Wanted& w : collected.pictures) {
        if (mDrawn.contains(w.drawnKey) || mAhead.count(w.drawnKey) ||
            mFailed.contains(w.drawnKey))
            continue;
        // The task holds copies only: the cache may go before it ends.
        auto promise = std::make_shared<std::promise<Decoded>>();
        mAhead.emplace(w.drawnKey, std::make_pair(promise->get_future().share(), mRound));
        QThreadPool::globalInstance()->start(
            [promise, w] { promise->set_value(loadDrawn(w.path, w.rotation, w.size)); });
        ++started;
    }
    return started;
}
