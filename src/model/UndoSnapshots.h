#pragma once

#include <QString>

#include <memory>

class CORINOTEDoc;
class QLockFile;

// One step of undo and one of redo, as whole-document snapshots in two files of the data
// folder ("ONUTmpFile.dat" and "ONRTmpFile.dat"). The document's undoAvailable and
// redoAvailable flags say what is offered.
//
// The files are claimed with a lock file, so a second copy of the program running on the
// same folder uses snapshot files of its own ("ONUTmpFile-2.dat", …) and the two never
// restore each other's documents. A stale lock left by a crashed copy is taken over.
class UndoSnapshots
{
public:
    explicit UndoSnapshots(const QString& folder);
    ~UndoSnapshots();

    QString undoPath() const { return mUndoPath; }
    QString redoPath() const { return mRedoPath; }

    // Writes the document into the undo file; offers Undo and withdraws Redo. When the
    // file cannot be written nothing is offered (and nothing reported): Redo is withdrawn
    // all the same.
    void take(CORINOTEDoc& doc);
    // Saves the document into the redo file and reloads the undo file. Returns false when
    // the undo file could not be opened (the document is then unchanged).
    bool undo(CORINOTEDoc& doc);
    // Reloads the redo file. Returns false when it could not be opened.
    bool redo(CORINOTEDoc& doc);

private:
    static bool writeSnapshot(const CORINOTEDoc& doc, const QString& path);
    // Deletes the contents and reads the snapshot; false on a read error part-way.
    static bool loadSnapshot(CORINOTEDoc& doc, const QString& path, bool* opened);

    std::unique_ptr<QLockFile> mLock;
    QString mUndoPath;
    QString mRedoPath;
};
