#include "FileIdentity.h"

#include "RegularFile.h"

#include <QCryptographicHash>
#include <QFile>

#include <sys/stat.h>

FileIdentity FileIdentity::of(const QString& path)
{
    FileIdentity id;
    QFile file(path);
    if (!RegularFile::open(file))
        return id;
    struct stat st;
    if (::fstat(file.handle(), &st) != 0)
        return id;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return id;
    id.mSize = qint64(st.st_size);
    id.mModified = qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    id.mHash = hash.result();
    return id;
}
