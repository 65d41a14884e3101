#pragma once

#include <QByteArray>
#include <QString>

// What a file was when it was opened or last saved: its size, its modification time and
// a hash of its content. Another copy of the program (another session, another user
// folder) may save over the same file meanwhile; comparing the identity before saving
// over it tells, so that its changes are not silently discarded. The hash catches a
// change that kept the size and the time (a copy tool that keeps times).
class FileIdentity
{
public:
    // The identity of the file now; a null identity when it cannot be read (or is no
    // regular file).
    static FileIdentity of(const QString& path);

    bool isNull() const { return mHash.isEmpty(); }
    qint64 size() const { return mSize; }

    friend bool operator==(const FileIdentity& a, const FileIdentity& b)
    {
        return a.mSize == b.mSize && a.mModified == b.mModified && a.mHash == b.mHash;
    }
    friend bool operator!=(const FileIdentity& a, const FileIdentity& b) { return !(a == b); }

private:
    qint64 mSize = -1;
    qint64 mModified = 0; // nanoseconds since the epoch
    QByteArray mHash;
};
