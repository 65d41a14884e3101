#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Picture files as they are meant to be seen: a photograph that records its camera's
// orientation (a phone held upright) is read turned accordingly, and its size is the
// turned size. Everything that sizes or draws a picture reads it through here, so that
// fitting, placing and drawing agree. A path that is no regular file (a FIFO, a terminal)
// reads as no picture, at once.
namespace PictureFile {

// The upright size, from the file's header alone; invalid when it cannot be read.
QSize size(const QString& path);

// The upright picture, decoded straight at `size` (upright) when one is given; null when
// the file cannot be read.
QImage read(const QString& path, const QSize& size = QSize());

} // namespace PictureFile
