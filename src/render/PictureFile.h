#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Picture files as they are meant to be seen: a photograph that records its camera's
// orientation (a phone held upright) is read turned accordingly, and its size is the
// turned size. Everything that sizes or draws a picture reads it through here, so that
// fitting, placing and drawing agree. A path that is no regular file (a FIFO, a terminal)
// reads as no picture, at once.
//
// A picture is judged by its header before it is decoded: a file may declare 60000 ×
// 60000 pixels in a few megabytes, and every decoder but JPEG's walks every pixel even
// when asked for a small copy. What a decoder would have to allocate beyond its limit,
// or walk beyond kMaxPixels, is refused without decoding; JPEG scales in the decoder (by
// 1/2, 1/4 or 1/8), so a large photograph drawn small is decoded small and is fine.
namespace PictureFile {

// The most pixels a JPEG file may have to be decoded at all, even scaled: 400 million
// (20000 × 20000); larger photographs are rare and would take seconds at 1/8.
constexpr qint64 kMaxPixels = 400'000'000;

struct Header
{
    QSize size;                   // upright; invalid when the file cannot be read
    bool scalesInDecoder = false; // JPEG: decoded straight at a reduced size
};

// The upright size and how it decodes, from the file's header alone.
Header header(const QString& path);

// The upright size, from the file's header alone; invalid when it cannot be read.
QSize size(const QString& path);

// Whether a picture of `whole` pixels can be decoded to `drawn` pixels (the same
// orientation; invalid: whole) within the decoders' allocation limit and kMaxPixels.
bool fits(const QSize& whole, const QSize& drawn, bool scalesInDecoder);
bool fits(const Header& header, const QSize& drawn);

// The upright picture, decoded straight at `size` (upright) when one is given; null when
// the file cannot be read or does not fit(). `damaged`, when given, is set when the
// decoder met damaged data (a truncated or corrupted JPEG) and filled the rest in grey.
QImage read(const QString& path, const QSize& size = QSize(), bool* damaged = nullptr);

} // namespace PictureFile
