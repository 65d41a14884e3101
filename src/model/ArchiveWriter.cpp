#include "ArchiveWriter.h"

#include "TextCodec.h"

#include <QIODevice>
#include <QtEndian>

namespace {
constexpr qsizetype kBufferSize = 256 * 1024;
}

ArchiveWriter::ArchiveWriter(QIODevice* device) : mDevice(device)
{
}

ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::flushBuffer()
{
    if (mBuffer.isEmpty() || mError)
        return;
    if (mDevice->write(mBuffer) != mBuffer.size())
        mError = true;
    mBuffer.clear();
}

void ArchiveWriter::put(const void* data, qsizetype n)
{
    if (mError)
        return;
    if (mBuffer.size() + n > kBufferSize)
        flushBuffer();
    if (n > kBufferSize) {
        if (mDevice->write(static_cast<const char*>(data), n) != n)
            mError = true;
        return;
    }
    mBuffer.append(static_cast<const char*>(data), n);
}

bool ArchiveWriter::finish()
{
    flushBuffer();
    return !mError;
}

void ArchiveWriter::writeInt(qint32 v)
{
    const qint32 le = qToLittleEndian(v);
    put(&le, 4);
}

void ArchiveWriter::writeWord(quint16 v)
{
    const quint16 le = qToLittleEndian(v);
    put(&le, 2);
}

void ArchiveWriter::writeRect(const Rect& r)
{
    writeInt(r.left);
    writeInt(r.top);
    writeInt(r.right);
    writeInt(r.bottom);
}

void ArchiveWriter::writePoint(const Point& p)
{
    writeInt(p.x);
    writeInt(p.y);
}

void ArchiveWriter::writeFont(const FontRecord& f)
{
    writeInt(f.height);
    writeInt(f.width);
    writeInt(f.escapement);
    writeInt(f.orientation);
    writeInt(f.weight);
    const quint8 bytes[8] = {f.italic,       f.underline,     f.strikeOut, f.charSet,
                             f.outPrecision, f.clipPrecision, f.quality,   f.pitchAndFamily};
    put(bytes, 8);
    put(f.face.data(), FontRecord::FaceBytes);
}

// The length prefix shared by byte strings and (after the wide marker) wide strings.
void ArchiveWriter::writeLength(quint32 n)
{
    if (n < 0xFF) {
        putByte(quint8(n));
    } else {
        putByte(0xFF);
        if (n < 0xFFFE) {
            writeWord(quint16(n));
        } else {
            writeWord(0xFFFF);
            const quint32 le = qToLittleEndian(n);
            put(&le, 4);
        }
    }
}

void ArchiveWriter::writeString(const QString& s)
{
    bool lossless = true;
    const QByteArray bytes = TextCodec::encode(s, &lossless);
    if (lossless) {
        writeLength(quint32(bytes.size()));
        put(bytes.constData(), bytes.size());
        return;
    }
    putByte(0xFF);
    writeWord(0xFFFE);
    writeLength(quint32(s.size()));
    for (QChar c : s)
        writeWord(c.unicode());
}

void ArchiveWriter::writeCount(quint32 n)
{
    if (n < 0xFFFF) {
        writeWord(quint16(n));
    } else {
        writeWord(0xFFFF);
        const quint32 le = qToLittleEndian(n);
        put(&le, 4);
    }
}

void ArchiveWriter::writeIntArray(const QList<qint32>& a)
{
    writeCount(quint32(a.size()));
    for (qint32 v : a)
        writeInt(v);
}

void ArchiveWriter::writeRectArray(const QList<Rect>& a)
{
    writeCount(quint32(a.size()));
    for (const Rect& r : a)
        writeRect(r);
}

void ArchiveWriter::writePointArray(const QList<Point>& a)
{
    writeCount(quint32(a.size()));
    for (const Point& p : a)
        writePoint(p);
}

void ArchiveWriter::writeFontArray(const QList<FontRecord>& a)
{
    writeCount(quint32(a.size()));
    for (const FontRecord& f : a)
        writeFont(f);
}

void ArchiveWriter::writeStringArray(const QStringList& a)
{
    writeCount(quint32(a.size()));
    for (const QString& s : a)
        writeString(s);
}
