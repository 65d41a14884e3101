#pragma once

#include <QString>

// An advisory lock on a file the program has open (flock, exclusive, never waited for):
// held from opening a document until another is opened or the program ends, so that a
// second copy of the program (another session, another runtime folder) opening the same
// file learns that the file is being edited. It keeps no one from reading or writing the
// file; programs that do not ask are not stopped.
class FileLock
{
public:
    FileLock() = default;
    // Tries to take the lock on `path`; held() tells whether it was.
    explicit FileLock(const QString& path);
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return !mPath.isEmpty(); }
    // Whether another program holds the lock on `path` now (a missing file: no). Locks
    // this program holds itself do not count: one copy may show a file twice.
    static bool heldElsewhere(const QString& path);

private:
    void release();

    QString mPath; // canonical, while held
};
