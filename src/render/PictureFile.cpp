#include "PictureFile.h"

#include "base/RegularFile.h"

#include <QFile>
#include <QImageReader>

namespace PictureFile {

namespace {

bool turnsQuarter(const QImageReader& reader)
{
    return reader.transformation() & QImageIOHandler::TransformationRotate90;
}

} // namespace

QSize size(const QString& path)
{
    QFile file(path);
    if (!RegularFile::open(file))
        return QSize();
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    QSize s = reader.size();
    if (s.isValid() && turnsQuarter(reader))
        s.transpose();
    return s;
}

QImage read(const QString& path, const QSize& size)
{
    QFile file(path);
    if (!RegularFile::open(file))
        return QImage();
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    // The decoder scales the picture as stored, before it is turned upright.
    if (size.isValid())
        reader.setScaledSize(turnsQuarter(reader) ? size.transposed() : size);
    return reader.read();
}

} // namespace PictureFile
