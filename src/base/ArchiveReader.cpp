#include "ArchiveReader.h"

#include "TextCodec.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QSysInfo>
#include <QtEndian>

#include <type_traits>

#include <cstring>

namespace {
constexpr qint64 kChunk = 256 * 1024;
}

ArchiveReader::ArchiveReader(QIODevice* device) : mDevice(device)
{
    if (!device->isSequential())
        mTotal = device->size() - device->pos();
}

ArchiveReader::~ArchiveReader() = default;

void ArchiveReader::failEnd()
{
    if (mError.isEmpty())
        mError = QCoreApplication::translate("ArchiveReader",
                                             "ファイルが %1 バイト目で途中で終わっています。")
                     .arg(mConsumed);
}

void ArchiveReader::failCount(quint64 count)
{
    if (mError.isEmpty())
        mError = QCoreApplication::translate(
                     "ArchiveReader", "ファイルの %1 バイト目にある個数 %2 がファイルの残りを超えています。")
                     .arg(mConsumed)
                     .arg(count);
}

qint64 ArchiveReader::bytesLeft() const
{
    return mTotal < 0 ? -1 : mTotal - mConsumed;
}

// Makes at least n bytes available at mBuffer[mPos], reading more from the device.
bool ArchiveReader::ensure(qint64 n)
{
    if (!ok())
        return false;
    if (mBuffer.size() - mPos >= n)
        return true;
    mBuffer.remove(0, mPos);
    mPos = 0;
    while (mBuffer.size() < n) {
        // Grow by chunks: a length that the stream cannot back is never allocated whole.
        // A stream of known size needs no more than what is left of it.
        qint64 want = kChunk;
        if (mTotal >= 0) {
            const qint64 left = bytesLeft() - mBuffer.size();
            if (left <= 0) {
                failEnd();
                return false;
            }
            want = std::min(kChunk, left);
        }
        const qsizetype old = mBuffer.size();
        mBuffer.resize(old + want);
        const qint64 got = mDevice->read(mBuffer.data() + old, want);
        mBuffer.resize(old + qsizetype(std::max<qint64>(got, 0)));
        if (got <= 0) {
            failEnd();
            return false;
        }
    }
    return true;
}

bool ArchiveReader::take(void* dst, qint64 n)
{
    if (!ensure(n))
        return false;
    std::memcpy(dst, mBuffer.constData() + mPos, size_t(n));
    mPos += n;
    mConsumed += n;
    return true;
}

bool ArchiveReader::atEnd()
{
    if (mBuffer.size() > mPos)
        return false;
    if (mTotal >= 0)
        return bytesLeft() <= 0;
    return mDevice->atEnd();
}

quint8 ArchiveReader::readByte()
{
    quint8 b = 0;
    take(&b, 1);
    return b;
}

quint16 ArchiveReader::readWord()
{
    quint16 v = 0;
    return take(&v, 2) ? qFromLittleEndian(v) : 0;
}

quint32 ArchiveReader::readDword()
{
    quint32 v = 0;
    return take(&v, 4) ? qFromLittleEndian(v) : 0;
}

qint32 ArchiveReader::readInt()
{
    return qint32(readDword());
}

Rect ArchiveReader::readRect()
{
    Rect r;
    r.left = readInt();
    r.top = readInt();
    r.right = readInt();
    r.bottom = readInt();
    return r;
}

Point ArchiveReader::readPoint()
{
    Point p;
    p.x = readInt();
    p.y = readInt();
    return p;
}

FontRecord ArchiveReader::readFont()
{
    unsigned char raw[FontRecord::ByteSize];
    FontRecord f;
    if (!take(raw, sizeof raw))
        return f;
    auto i32 = [&](int at) { return qFromLittleEndian<qint32>(raw + at); };
    f.height = i32(0);
    f.width = i32(4);
    f.escapement = i32(8);
    f.orientation = i32(12);
    f.weight = i32(16);
    f.italic = raw[20];
    f.underline = raw[21];
    f.strikeOut = raw[22];
    f.charSet = raw[23];
    f.outPrecision = raw[24];
    f.clipPrecision = raw[25];
    f.quality = raw[26];
    f.pitchAndFamily = raw[27];
    std::memcpy(f.face.data(), raw + 28, FontRecord::FaceBytes);
    return f;
}

// Reads a length prefix: a byte below 0xFF, else 0xFF and a word below 0xFFFE, else the
// word 0xFFFF and a dword. The word 0xFFFE is the wide-string marker where allowed.
quint32 ArchiveReader::readLength(bool allowWideMarker, bool* wide)
{
    const quint8 b = readByte();
    if (b < 0xFF)
        return b;
    const quint16 w = readWord();
    if (w == 0xFFFE && allowWideMarker) {
        *wide = true;
        return readLength(false, wide);
    }
    if (w < 0xFFFE)
        return w;
    if (w == 0xFFFF)
        return readDword();
    return w; // 0xFFFE after a wide marker: a plain length
}

QString ArchiveReader::readString()
{
    QString s;
    readString(s);
    if (s.capacity() > s.size() + 16)
        s.squeeze();
    return s;
}

void ArchiveReader::readString(QString& out)
{
    out.resize(0);
    bool wide = false;
    const quint32 len = readLength(true, &wide);
    if (!ok() || len == 0)
        return;
    const quint64 bytes = wide ? quint64(len) * 2 : quint64(len);
    const qint64 left = bytesLeft();
    if (left >= 0 && bytes > quint64(left)) {
        failCount(len);
        return;
    }
    if (mMaxString > 0 && bytes > quint64(mMaxString) * 2) {
        if (mError.isEmpty()) {
            mTooLong = true;
            mError = QCoreApplication::translate(
                         "ArchiveReader", "ファイルの %1 バイト目にある文字列が長すぎます（%2 バイト）。")
                         .arg(mConsumed)
                         .arg(bytes);
        }
        return;
    }
    if (!ensure(qint64(bytes)))
        return;
    if (!wide) {
        TextCodec::decodeInto(mBuffer.constData() + mPos, int(bytes), out);
    } else {
        out.resize(qsizetype(len));
        const auto* src = reinterpret_cast<const uchar*>(mBuffer.constData() + mPos);
        char16_t* dst = reinterpret_cast<char16_t*>(out.data());
        for (quint32 i = 0; i < len; ++i)
            dst[i] = qFromLittleEndian<quint16>(src + 2 * i);
    }
    mPos += qsizetype(bytes);
    mConsumed += qint64(bytes);
}

quint32 ArchiveReader::readCount(int minElementSize)
{
    quint32 n = readWord();
    if (n == 0xFFFF)
        n = readDword();
    if (!ok())
        return 0;
    const qint64 left = bytesLeft();
    if (left >= 0 && quint64(n) * quint64(minElementSize) > quint64(left)) {
        failCount(n);
        return 0;
    }
    return n;
}

// Reads count-prefixed elements. A failure part-way keeps the elements read before it;
// room is reserved up front only when the stream is known to hold all of them.
namespace {
template <typename T, typename ReadOne>
QList<T> readArray(ArchiveReader& r, int elementSize, bool sizeKnown, ReadOne readOne)
{
    QList<T> a;
    const quint32 n = r.readCount(elementSize);
    if (sizeKnown)
        a.reserve(qsizetype(n));
    for (quint32 i = 0; i < n; ++i) {
        T v = readOne();
        if (!r.ok())
            break;
        a.append(std::move(v));
    }
    return a;
}
} // namespace

// Arrays of ints, rectangles and points are little-endian 32-bit words back to back, as
// the structures lie in memory on a little-endian machine: copy them in one go when the
// stream's size is known (the count has then been checked against it).
template <typename T> QList<T> ArchiveReader::readWordArray(T (ArchiveReader::*readOne)())
{
    static_assert(sizeof(T) % 4 == 0 && std::is_trivially_copyable_v<T>);
    if (QSysInfo::ByteOrder != QSysInfo::LittleEndian || mTotal < 0)
        return readArray<T>(*this, int(sizeof(T)), mTotal >= 0, [&] { return (this->*readOne)(); });
    const quint32 n = readCount(int(sizeof(T)));
    QList<T> a;
    if (n == 0 || !ok())
        return a;
    const qint64 bytes = qint64(n) * qint64(sizeof(T));
    if (!ensure(bytes))
        return a;
    a.resize(qsizetype(n));
    std::memcpy(static_cast<void*>(a.data()), mBuffer.constData() + mPos, size_t(bytes));
    mPos += qsizetype(bytes);
    mConsumed += bytes;
    return a;
}

QList<qint32> ArchiveReader::readIntArray()
{
    return readWordArray<qint32>(&ArchiveReader::readInt);
}

QList<Rect> ArchiveReader::readRectArray()
{
    static_assert(sizeof(Rect) == 16);
    return readWordArray<Rect>(&ArchiveReader::readRect);
}

QList<Point> ArchiveReader::readPointArray()
{
    static_assert(sizeof(Point) == 8);
    return readWordArray<Point>(&ArchiveReader::readPoint);
}

QList<FontRecord> ArchiveReader::readFontArray()
{
    return readArray<FontRecord>(*this, FontRecord::ByteSize, mTotal >= 0,
                                 [this] { return readFont(); });
}

QStringList ArchiveReader::readStringArray()
{
    return readArray<QString>(*this, 1, mTotal >= 0, [this] { return readString(); });
}
