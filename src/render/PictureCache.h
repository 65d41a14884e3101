#pragma once

#include "PictureFile.h"

#include <QCache>
#include <QImage>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QRectF>
#include <QSize>
#include <QString>

#include <future>
#include <map>
#include <optional>
#include <utility>

class QPainter;

// Loads the pictures of regions, sheets and the paper and draws them.
//
// A picture is read with QImageReader (any format the installed image plugins read),
// turned by quarter turns clockwise, and, with a colour key, has every opaque pixel of
// exactly that colour made transparent. Pictures are kept by path, size and modification
// time of the file, so an edited file is read again.
//
// Drawing never holds a large photograph whole: the picture is decoded straight to the
// size it takes on the device (QImageReader::setScaledSize, which JPEG does in the
// decoder), and into a PDF (the printer prints through PDF here) to no more than
// PrintDpi dots per inch of paper, so a job of many photographs embeds each at print
// quality. The drawn copies are kept within a byte budget, the least recently used
// dropped first, so the screen repaints without decoding again and a long job's memory
// stays bounded. A file that cannot be read draws nothing.
class PictureCache
{
public:
    // The resolution of pictures embedded in a PDF or sent to a printer.
    static constexpr int PrintDpi = 300;
    // Bytes of drawn copies kept, and of whole pictures kept for picture().
    static constexpr qint64 DrawnBudget = 128 * 1024 * 1024;
    static constexpr qint64 WholeBudget = 128 * 1024 * 1024;

    PictureCache();

    // The whole turned (and keyed) picture of a file, for previews that show or probe it;
    // a null image when it cannot be read.
    QImage picture(const QString& path, int rotation, std::optional<QRgb> colorKey = {});

    // The picture's size in pixels once turned, from the file's header; an invalid size
    // when it cannot be read.
    QSize pictureSize(const QString& path, int rotation);

    // Draws the picture stretched over `target` (a rectangle of the painter's world, y
    // up), with the given opacity (0 to 1). With keepAspect the target first shrinks to
    // the picture's aspect ratio, centred along the side that has room to spare. Returns
    // false when the file cannot be read.
    bool draw(QPainter& painter, const QRectF& target, const QString& path, int rotation,
              qreal opacity, std::optional<QRgb> colorKey = {}, bool keepAspect = false);

    // The part of `target` a picture of the given size fills when its aspect is kept.
    static QRectF aspectFit(const QRectF& target, const QSize& picture);

    // The pixel size a picture of `picture` pixels is drawn at when it covers `onDevice`
    // device pixels on a device of `deviceDpi`: the device size, at most `limitDpi` dots
    // an inch when a limit is given (0: none), and never more than the picture has.
    static QSize drawnSize(const QSizeF& onDevice, const QSize& picture, qreal deviceDpi,
                           int limitDpi);

    // Whether the picture can be decoded to `drawn` pixels (turned; invalid: whole),
    // judged by its header (PictureFile::fits).
    bool fits(const QString& path, int rotation, const QSize& drawn);

    // Files whose decoding met damaged data since clear() or takeDamaged() (their missing
    // part drawn grey), in the order met; taking them empties the list.
    QStringList takeDamaged() { return std::exchange(mDamaged, {}); }

    // A picture decoded at a drawn size, and whether its data was damaged.
    struct Decoded
    {
        QImage image;
        bool damaged = false;
    };

    // Bytes held by the drawn copies.
    qint64 drawnBytes() const { return mDrawn.totalCost() * 1024LL; }

    // Decoding ahead, for print jobs of many photographs: between startCollecting() and
    // decodeCollected(), draw() paints nothing and notes the pictures it would decode for
    // a device of `dpi` dots per inch that embeds them (PDF) or not; decodeCollected()
    // starts decoding those on the thread pool, one per core, and draw() takes each from
    // there when it comes to it, waiting for it if it is not done. Pictures with a colour
    // key and pictures drawn whole are left to draw(). Returns how many were started.
    void startCollecting(qreal dpi, bool embedded);
    int decodeCollected();
    // Pictures decoded or being decoded ahead that draw() has not taken yet, and how many
    // it has taken.
    int decodedAhead() const { return int(mAhead.size()); }
    int takenAhead() const { return mTakenAhead; }

    void clear();

private:
    QString key(const QString& path, int rotation, std::optional<QRgb> colorKey) const;
    QImage drawnPicture(const QString& key, const QString& path, int rotation,
                        std::optional<QRgb> colorKey, const QSize& size, const QSize& whole);

    // A picture a page will draw at a reduced size, under the key drawnPicture() keeps it.
    struct Wanted
    {
        QString drawnKey;
        QString path;
        int rotation = 0;
        QSize size;
    };
    struct Collecting
    {
        qreal dpi = 0;
        bool embedded = false;
        QList<Wanted> pictures;
    };

    static QString drawnKey(const QString& key, const QSize& size);
    // Remembers a decode that failed (under `failKey`) or met damaged data.
    void noteDecoded(const QString& failKey, const QString& path, const QImage& image,
                     bool damaged);

    QCache<QString, QImage> mPictures;
    QCache<QString, QImage> mDrawn;
    QCache<QString, PictureFile::Header> mSizes;
    // Keys of pictures and drawn sizes that could not be decoded: a repaint or a zoom
    // back to a size that failed does not try again (the key holds the file's time).
    QSet<QString> mFailed;
    QStringList mDamaged;
    std::optional<Collecting> mCollecting;
    // Decoding ahead, by drawn key, with the round of decodeCollected() that started it:
    // what two rounds later nobody drew was asked for wrongly and goes.
    std::map<QString, std::pair<std::shared_future<Decoded>, int>> mAhead;
    int mRound = 0;
    int mTakenAhead = 0;
};
