#pragma once

#include "FontRecord.h"
#include "Geometry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

// Reads the primitives written by ArchiveWriter. The first failure (the stream ends
// inside a primitive, or a count or length claims more bytes than are left) is sticky:
// it is kept in error(), and every later read returns zero or empty without touching
// the stream. A claimed count is checked against the bytes left before anything is
// allocated, so a short hostile file cannot make the reader reserve gigabytes.
//
// Byte strings are decoded from CP932; the wide form is accepted too.
class ArchiveReader
{
public:
    // Reads from an open device. When the device is sequential the bytes left are
    // unknown, and arrays grow only as their elements are actually read.
    explicit ArchiveReader(QIODevice* device);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    qint32 readInt();
    quint16 readWord();
    Rect readRect();
    Point readPoint();
    FontRecord readFont();
    QString readString();
    // Reads a string into `out`, reusing its capacity; `out` is empty after a failure.
    void readString(QString& out);
    // Strings longer than `units` UTF-16 code units are refused by their declared length,
    // before a byte of them is read (a byte string may take two bytes a character, so
    // its bytes are held to twice that); the failure sets stringTooLong(). 0: no bound.
    void setMaxStringLength(quint32 units) { mMaxString = units; }
    bool stringTooLong() const { return mTooLong; }
    // A count, checked against the bytes left for elements of minElementSize bytes.
    quint32 readCount(int minElementSize);

    QList<qint32> readIntArray();
    QList<Rect> readRectArray();
    QList<Point> readPointArray();
    QList<FontRecord> readFontArray();
    QStringList readStringArray();

    bool ok() const { return mError.isEmpty(); }
    // Stores a value just read into a field, unless the read failed: a file that ends
    // early leaves the fields after the failure with their old content.
    template <typename T, typename V> void assignIfRead(T& field, V&& value)
    {
        if (ok())
            field = std::forward<V>(value);
    }
    // Whether the stream's size is known, so that a count read has been checked against
    // the bytes left and room for it may be reserved.
    bool sizeKnown() const { return mTotal >= 0; }
    bool atEnd();
    // The first failure, in words for the user; empty while everything was read.
    QString error() const { return mError; }
    // Bytes consumed so far.
    qint64 position() const { return mConsumed; }

private:
    bool ensure(qint64 n);
    bool take(void* dst, qint64 n);
    template <typename T> QList<T> readWordArray(T (ArchiveReader::*readOne)());
    quint8 readByte();
    quint32 readDword();
    quint32 readLength(bool allowWideMarker, bool* wide);
    qint64 bytesLeft() const;
    void failEnd();
    void failCount(quint64 count);

    QIODevice* mDevice;
    QByteArray mBuffer;
    qsizetype mPos = 0;      // read position inside mBuffer
    qint64 mConsumed = 0;    // bytes consumed from the start of the stream
    qint64 mTotal = -1;      // stream size when known
    quint32 mMaxString = 0;
    bool mTooLong = false;
    QString mError;
};
