#include "PictureFile.h"

#include "base/RegularFile.h"

#include <QFile>
#include <QImageReader>

#include <cstdio>
#include <mutex>

namespace PictureFile {

namespace {

bool turnsQuarter(const QImageReader& reader)
{
    return reader.transformation() & QImageIOHandler::TransformationRotate90;
}

bool isJpeg(const QByteArray& format)
{
    return format == "jpeg" || format == "jpg";
}

// The decoders report damaged data only as warnings ("Corrupt JPEG data: premature end
// of data segment") and return the picture with the rest grey. While a decode on this
// thread watches, such a warning sets its flag instead of going to standard error.
thread_local bool* tDamaged = nullptr;
QtMessageHandler gPrevious = nullptr;

void noteDamage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (tDamaged && type == QtWarningMsg && context.category &&
        qstrcmp(context.category, "qt.gui.imageio.jpeg") == 0) {
        *tDamaged = true;
        return;
    }
    if (gPrevious)
        gPrevious(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

void watchDecoders()
{
    static std::once_flag once;
    std::call_once(once, [] { gPrevious = qInstallMessageHandler(noteDamage); });
}

struct Watch
{
    explicit Watch(bool* flag)
    {
        if (flag) {
            watchDecoders();
            tDamaged = flag;
        }
    }
    ~Watch() { tDamaged = nullptr; }
};

} // namespace

Header header(const QString& path)
{
    QFile file(path);
    if (!RegularFile::open(file))
        return {};
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    Header h;
    h.size = reader.size();
    if (h.size.isValid() && turnsQuarter(reader))
        h.size.transpose();
    h.scalesInDecoder = isJpeg(reader.format());
    return h;
}

QSize size(const QString& path)
{
    return header(path).size;
}

bool fits(const QSize& whole, const QSize& drawn, bool scalesInDecoder)
{
    if (!whole.isValid() || whole.isEmpty())
        return false;
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    const auto within = [limit](const QSize& s) {
        return limit <= 0 || qint64(s.width()) * s.height() * 4 <= limit;
    };
    const QSize target = drawn.isValid() && !drawn.isEmpty() ? drawn : whole;
    if (!within(target))
        return false;
    if (!scalesInDecoder)
        return within(whole);
    if (qint64(whole.width()) * whole.height() > kMaxPixels)
        return false;
    // The decoder reduces by the largest of 1/2, 1/4, 1/8 that keeps the drawn size,
    // then scales the rest: what it allocates is the reduced picture.
    int n = 8;
    while (n > 1 && (whole.width() / n < target.width() || whole.height() / n < target.height()))
        n /= 2;
    return within(QSize((whole.width() + n - 1) / n, (whole.height() + n - 1) / n));
}

bool fits(const Header& header, const QSize& drawn)
{
    return fits(header.size, drawn, header.scalesInDecoder);
}

QImage read(const QString& path, const QSize& size, bool* damaged)
{
    if (damaged)
        *damaged = false;
    QFile file(path);
    if (!RegularFile::open(file))
        return QImage();
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    QSize whole = reader.size();
    const bool quarter = turnsQuarter(reader);
    if (whole.isValid() && quarter)
        whole.transpose();
    // Judged before a pixel is decoded.
    if (!fits(whole, size, isJpeg(reader.format())))
        return QImage();
    // The decoder scales the picture as stored, before it is turned upright.
    if (size.isValid())
        reader.setScaledSize(quarter ? size.transposed() : size);
    const Watch watch(damaged);
    return reader.read();
}

} // namespace PictureFile
