#include "FileLock.h"

#include "RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace {

// A descriptor of the regular file with the lock taken, or -1.
int lockedDescriptor(const QString& path)
{
    if (!RegularFile::is(path))
        return -1;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The locks this program holds, by canonical path: one descriptor each, shared by every
// FileLock of the file. flock's locks belong to an open file, so a second descriptor
// here would be refused by the first.
struct Held
{
    int fd = -1;
    int holders = 0;
};
QMutex gMutex;
QHash<QString, Held>& heldFiles()
{
    static QHash<QString, Held> files;
    return files;
}

} // namespace

FileLock::FileLock(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return;
    const QMutexLocker locker(&gMutex);
    auto it = heldFiles().find(canonical);
    if (it != heldFiles().end()) {
        // A save renames a new file over the old one: the lock moves to the new file.
        struct stat now, locked;
        if (::stat(QFile::encodeName(path).constData(), &now) == 0 &&
            ::fstat(it->fd, &locked) == 0 &&
            (now.st_ino != locked.st_ino || now.st_dev != locked.st_dev)) {
            const int fd = lockedDescriptor(path);
            if (fd < 0)
                return;
            ::flock(it->fd, LOCK_UN);
            ::close(it->fd);
            it->fd = fd;
        }
    } else {
        const int fd = lockedDescriptor(path);
        if (fd < 0)
            return;
        it = heldFiles().insert(canonical, Held{fd, 0});
    }
    ++it->holders;
    mPath = canonical;
}

FileLock::~FileLock()
{
    release();
}

FileLock::FileLock(FileLock&& other) noexcept : mPath(std::exchange(other.mPath, {}))
{
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        release();
        mPath = std::exchange(other.mPath, {});
    }
    return *this;
}

void FileLock::release()
{
    if (mPath.isEmpty())
        return;
    const QMutexLocker locker(&gMutex);
    auto it = heldFiles().find(mPath);
    if (it != heldFiles().end() && --it->holders == 0) {
        ::flock(it->fd, LOCK_UN);
        ::close(it->fd);
        heldFiles().erase(it);
    }
    mPath.clear();
}

bool FileLock::heldElsewhere(const QString& path)
{
    if (!RegularFile::is(path))
        return false;
    {
        const QMutexLocker locker(&gMutex);
        if (heldFiles().contains(QFileInfo(path).canonicalFilePath()))
            return false;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool busy = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return busy;
}
