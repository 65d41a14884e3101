#pragma once

#include <QString>

class QFile;

// Opening a path for reading that is no regular file can wait for ever: a FIFO waits for
// a writer, a terminal for a line the user never types. Every reader of the program opens
// its file through here, so such a path fails at once as a file that cannot be opened.
class RegularFile
{
public:
    // Whether `path` names a regular file (a symbolic link to one counts).
    static bool is(const QString& path);

    // Opens `file` (by its file name) for reading when the name is a regular file. False,
    // with nothing opened, when it is not one or cannot be opened.
    static bool open(QFile& file);
};
