#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file of `head` followed by a hole up to `size` bytes: what a sparse file or a copy cut
// by a crash looks like to a reader. The hole costs no disk, so a file of gigabytes is cheap.
inline bool writeSparseFile(const QString& path, const QByteArray& head, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size())
        return false;
    file.close();
    return QFile::resize(path, size);
}
