#pragma once

#include <QString>

class QSaveFile;

// Where a file is saved or exported. QSaveFile writes a temporary file beside the target
// and renames it over the target: on a device or a FIFO that replaces the special file by
// a regular one (as root, /dev/null or /dev/full would be gone). Every writer of the
// program opens its QSaveFile through here, so a target that exists and is not a regular
// file (nor a link to one) is refused before anything is written, and a save that cannot
// start says why (a folder that is missing or not writable) instead of a bare failure.
class SaveTarget
{
public:
    // An empty string when `path` may be written: it does not exist yet, or it is a
    // regular file or a link to one. Otherwise the message that names the path and why.
    static QString refusal(const QString& path);

    // Checks the target, then opens `file` (by its file name) for writing. An empty
    // string on success; else the message, with nothing opened and nothing written.
    static QString open(QSaveFile& file);

    // Why opening `path` for saving failed, in words: the folder missing, not writable,
    // or the system's own reason.
    static QString openFailure(const QString& path, const QString& systemReason);
};
