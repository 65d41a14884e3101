#pragma once

#include <QString>

// A folder only the user who runs the program may enter: the place for what another local
// user must neither reach nor put there first, such as the command socket.
class PrivateFolder
{
public:
    // Whether `path` is such a folder: a folder itself (not a symbolic link), owned by the
    // user, with no permission for its group or others. Returns an empty string, or why
    // it may not be used, for the user to read.
    static QString check(const QString& path);

    // Makes `path` (mode 0700, its parents as the user's defaults make them) when it does
    // not exist yet, then checks it as check() does.
    static QString make(const QString& path);
};
