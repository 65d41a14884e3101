#include "ArchiveWriter.h"

#include "TextCodec.h"

#include <QIODevice>
#include <QSysInfo>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {
constexpr qsizetype kBufferSize = 256 * 1024;
}

ArchiveWriter::ArchiveWriter(QIODevice* device) : mDevice(device)
{
}

ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::flushBuffer()
{
    if (mUsed == 0 || mError)
        return;
    if (mDevice->write(mBuffer.constData(), mUsed) != mUsed)
        mError = true;
    mUsed = 0;
}

void ArchiveWriter::put(const void* data, qsizetype n)
{
    if (mError)
        return;
    if (mUsed + n > mBuffer.size()) {
        flushBuffer();
        if (n > kBufferSize) {
            if (mDevice->write(static_cast<const char*>(data), n) != n)
                mError = true;
            return;
        }
        // Start small so that short archives (snapshots of small documents, tests)
        // do not pay for the full buffer.
        if (mBuffer.size() < kBufferSize)
            mBuffer.resize(std::min(kBufferSize, std::max<qsizetype>(4096, mBuffer.size() * 4)));
        if (n > mBuffer.size())
            mBuffer.resize(kBufferSize);
    }
    std::memcpy(mBuffer.data() + mUsed, data, size_t(n));
    mUsed += n;
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

void ArchiveWriter::writeString(QStringView s)
{
    if (s.isEmpty()) {
        putByte(0);
        return;
    }
    mScratch.resize(0); // keeps the capacity, unlike clear()
    if (TextCodec::encodeAppendExact(s, mScratch)) {
        writeLength(quint32(mScratch.size()));
        put(mScratch.constData(), mScratch.size());
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

// Ints, rectangles and points are 32-bit words back to back: on a little-endian machine
// the list's memory is already the file's form.
template <typename T, typename WriteOne>
void ArchiveWriter::writeWordArray(const QList<T>& a, WriteOne writeOne)
{
    writeCount(quint32(a.size()));
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        put(a.constData(), a.size() * qsizetype(sizeof(T)));
        return;
    }
    for (const T& v : a)
        writeOne(v);
}

void ArchiveWriter::writeIntArray(const QList<qint32>& a)
{
    writeWordArray(a, [this](qint32 v) { writeInt(v); });
}

void ArchiveWriter::writeRectArray(const QList<Rect>& a)
{
    writeWordArray(a, [this](const Rect& r) { writeRect(r); });
}

void ArchiveWriter::writePointArray(const QList<Point>& a)
{
    writeWordArray(a, [this](const Point& p) { writePoint(p); });
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
