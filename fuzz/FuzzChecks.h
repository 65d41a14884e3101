#pragma once

// Checks shared by the reader harnesses: a failed check aborts, which the fuzzer and
// the corpus replay both report as a crash with the input that caused it.

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

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
