#pragma once

#include "FontRecord.h"
#include "Geometry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

// Writes the primitives that every file of the program is made of: little-endian ints
// and words, rectangles, points, 60-byte font records, length-prefixed strings, counts
// and arrays. Output is buffered; call finish() and check its result before committing
// the file. Once a write to the device fails, every later call does nothing.
//
// Strings are written as CP932 bytes when those bytes read back as the same text, and in
// the wide form (0xFF, word 0xFFFE, length, UTF-16LE) otherwise (a character without a
// CP932 form, or one such as ¥ whose CP932 form reads as another), so no text is ever
// lost or changed.
class ArchiveWriter
{
public:
    explicit ArchiveWriter(QIODevice* device);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    void writeInt(qint32 v);
    void writeWord(quint16 v);
    void writeRect(const Rect& r);
    void writePoint(const Point& p);
    void writeFont(const FontRecord& f);
    void writeString(QStringView s);
    void writeCount(quint32 n);

    void writeIntArray(const QList<qint32>& a);
    void writeRectArray(const QList<Rect>& a);
    void writePointArray(const QList<Point>& a);
    void writeFontArray(const QList<FontRecord>& a);
    void writeStringArray(const QStringList& a);

    // Writes out what is buffered. False when any write failed.
    bool finish();
    bool hasError() const { return mError; }

private:
    void put(const void* data, qsizetype n);
    void putByte(quint8 b) { put(&b, 1); }
    void writeLength(quint32 n);
    template <typename T, typename WriteOne> void writeWordArray(const QList<T>& a, WriteOne writeOne);
    void flushBuffer();

    QIODevice* mDevice;
    QByteArray mBuffer;  // allocated lazily, filled up to mUsed
    qsizetype mUsed = 0;
    QByteArray mScratch; // reused for every string's CP932 form
    bool mError = false;
};
