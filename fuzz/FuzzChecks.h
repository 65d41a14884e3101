#pragma once

// Checks shared by the reader harnesses: a failed check aborts, which the fuzzer and
// the corpus replay both report as a crash with the input that caused it.

#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                 \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)

// Whether the input holds a string in the wide form (0xFF, then the word 0xFFFE). Such a
// string may hold a character that CP932 maps one way only (¢ is written 0x8191, which
// reads as ￠; 〜 0x8160, read as ～): the writer gives text its CP932 form whenever it has
// one, as the format's own writer does, so what was read from such an input may differ
// from what its writing reads back, once. Without a wide string it may not.
inline bool hasWideString(const QByteArray& input)
{
    return input.contains(QByteArray("\xff\xfe\xff", 3));
}

// Every array of a family's arrays has the family's length.
template <typename Arrays> void checkConsistent(const Arrays& arrays)
{
    FUZZ_CHECK(arrays.minSize() == arrays.maxSize());
}

// Runs `read` over the bytes with a reader on a buffer.
template <typename Read> bool readBytes(const QByteArray& bytes, Read read)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    ArchiveReader in(&buffer);
    read(in);
    return in.ok();
}

// The bytes `write` produces.
template <typename Write> QByteArray writtenBytes(Write write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter out(&buffer);
    write(out);
    FUZZ_CHECK(out.finish());
    return bytes;
}
