#include "RegularFile.h"

#include <QFile>

#include <sys/stat.h>

bool RegularFile::is(const QString& path)
{
    struct stat st;
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 &&
           S_ISREG(st.st_mode);
}

bool RegularFile::open(QFile& file)
{
    // Opened by its name, not from a descriptor checked first: the readers need the name
    // (their messages, the picture decoders' choice by suffix), and QFile drops it for a
    // file opened from a descriptor.
    return is(file.fileName()) && file.open(QIODevice::ReadOnly);
}
