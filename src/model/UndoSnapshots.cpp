#include "UndoSnapshots.h"

#include "CORINOTEDoc.h"
#include "DocumentFile.h"
#include "PageObjects.h"
#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

UndoSnapshots::UndoSnapshots(const QString& folder)
{
    const QDir dir(folder);
    // Claim the first free set of snapshot files; give up after a few and use the last
    // name unlocked rather than lose undo altogether.
    for (int copy = 1; copy <= 16; ++copy) {
        const QString suffix = copy == 1 ? QString() : QStringLiteral("-%1").arg(copy);
        mUndoPath = dir.filePath(QStringLiteral("ONUTmpFile%1.dat").arg(suffix));
        mRedoPath = dir.filePath(QStringLiteral("ONRTmpFile%1.dat").arg(suffix));
        auto lock = std::make_unique<QLockFile>(dir.filePath(QStringLiteral("ONTmpFile%1.lock").arg(suffix)));
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            mLock = std::move(lock);
            return;
        }
        if (lock->error() == QLockFile::PermissionError)
            return; // the folder is not writable: snapshots fail and undo is not offered
    }
}

UndoSnapshots::~UndoSnapshots() = default;

bool UndoSnapshots::writeSnapshot(const CORINOTEDoc& doc, const QString& path)
{
    // A snapshot needs no durability, only completeness. It overwrites the file from its
    // first byte without emptying it first: emptying a file makes the file system wait
    // for the data on close, and a longer older snapshot's tail is never read anyway.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    ArchiveWriter out(&file);
    DocumentFile::write(doc, out);
    return out.finish() && file.flush();
}

bool UndoSnapshots::loadSnapshot(CORINOTEDoc& doc, const QString& path, bool* opened)
{
    QFile file(path);
    *opened = file.open(QIODevice::ReadOnly);
    if (!*opened)
        return false;
    const Selection selection = doc.selection();
    doc.deleteContents();
    ArchiveReader in(&file);
    const bool ok = DocumentFile::read(doc, in);
    // The selection stays on the objects that are still there, so that the next nudge or
    // command acts on what the user had picked.
    doc.selection() = selection;
    const PageObjects page = PageObjects::of(doc, doc.templateMode ? 1 : doc.currentPage);
    doc.selection().retain(
        [&page](const ObjectRef& r) {
            return r.kind == ObjectRef::SheetKind ? page.hasSheet(r.index)
                                                  : page.hasRegion(r.index);
        },
        [&page](int line) { return page.hasLine(line); });
    doc.updateAllViews();
    return ok;
}

void UndoSnapshots::take(CORINOTEDoc& doc)
{
    // The edit that follows makes the redo file's state a branch nobody can reach again,
    // whether or not the undo file could be written: redoing it would silently replace
    // the edit.
    doc.redoAvailable = 0;
    doc.undoAvailable = writeSnapshot(doc, mUndoPath) ? 1 : 0;
}

bool UndoSnapshots::undo(CORINOTEDoc& doc)
{
    doc.redoAvailable = writeSnapshot(doc, mRedoPath) ? 1 : 0;
    bool opened = false;
    const bool ok = loadSnapshot(doc, mUndoPath, &opened);
    doc.undoAvailable = 0;
    if (opened && !ok)
        doc.redoAvailable = 0;
    return opened;
}

bool UndoSnapshots::redo(CORINOTEDoc& doc)
{
    bool opened = false;
    const bool ok = loadSnapshot(doc, mRedoPath, &opened);
    doc.redoAvailable = 0;
    if (opened)
        doc.undoAvailable = 1;
    Q_UNUSED(ok); // after a failed redo, undo still goes back to the snapshot before it
    return opened;
}
