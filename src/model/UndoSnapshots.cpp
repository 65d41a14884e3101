#include "UndoSnapshots.h"

#include "CORINOTEDoc.h"
#include "DocumentFile.h"
#include "PageObjects.h"
#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

#include <QBuffer>

#include <zstd.h>

#include <algorithm>

namespace {

QByteArray compress(const QByteArray& raw)
{
    QByteArray out(qsizetype(ZSTD_compressBound(size_t(raw.size()))), Qt::Uninitialized);
    const size_t n = ZSTD_compress(out.data(), size_t(out.size()), raw.constData(),
                                   size_t(raw.size()), 1);
    if (ZSTD_isError(n))
        return QByteArray();
    out.truncate(qsizetype(n));
    out.squeeze();
    return out;
}

QByteArray decompress(const QByteArray& packed, qint64 size)
{
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    const size_t n = ZSTD_decompress(out.data(), size_t(out.size()), packed.constData(),
                                     size_t(packed.size()));
    if (ZSTD_isError(n) || qint64(n) != size)
        return QByteArray();
    return out;
}

} // namespace

QString UndoSnapshots::depthKey()
{
    return QStringLiteral("UNDO");
}

int UndoSnapshots::clampDepth(int depth)
{
    return std::clamp(depth, MinDepth, MaxDepth);
}

void UndoSnapshots::setDepth(int depth)
{
    mDepth = clampDepth(depth);
    trim();
    while (int(mRedo.size()) > mDepth) {
        mBytes -= mRedo.front().data.size();
        mRedo.pop_front();
    }
}

UndoSnapshots::Step UndoSnapshots::capture(const CORINOTEDoc& doc, const QString& name)
{
    QByteArray raw;
    QBuffer buffer(&raw);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter out(&buffer);
    DocumentFile::write(doc, out);
    doc.recordList().write(out);
    Step step;
    step.name = name;
    if (!out.finish())
        return step;
    step.size = raw.size();
    step.data = compress(raw);
    step.page = doc.currentPage;
    step.placements = doc.placementMemory();
    return step;
}

bool UndoSnapshots::restore(CORINOTEDoc& doc, const Step& step)
{
    QByteArray raw = decompress(step.data, step.size);
    if (raw.isEmpty())
        return false;
    QBuffer buffer(&raw);
    buffer.open(QIODevice::ReadOnly);
    ArchiveReader in(&buffer);
    const Selection selection = doc.selection();
    doc.deleteContents();
    DocumentFile::read(doc, in);
    doc.recordList().read(in);
    doc.currentPage = std::clamp(step.page, 1, std::max(1, doc.pageCount()));
    doc.placementMemory() = step.placements;
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
    return true;
}

void UndoSnapshots::push(std::deque<Step>& steps, Step step)
{
    mBytes += step.data.size();
    steps.push_back(std::move(step));
}

// The oldest undo steps go first, then the farthest redo steps.
void UndoSnapshots::trim()
{
    while (!mUndo.empty() && (int(mUndo.size()) > mDepth || mBytes > MaxBytes)) {
        mBytes -= mUndo.front().data.size();
        mUndo.pop_front();
    }
    while (!mRedo.empty() && mBytes > MaxBytes) {
        mBytes -= mRedo.front().data.size();
        mRedo.pop_front();
    }
}

void UndoSnapshots::updateFlags(CORINOTEDoc& doc) const
{
    doc.undoAvailable = mUndo.empty() ? 0 : 1;
    doc.redoAvailable = mRedo.empty() ? 0 : 1;
}

void UndoSnapshots::take(CORINOTEDoc& doc, const QString& name, const QString& mergeKey)
{
    if (!mKeeping)
        return;
    // The edit that follows makes every redo step a branch nobody can reach again.
    for (const Step& s : mRedo)
        mBytes -= s.data.size();
    mRedo.clear();
    const bool joins = !mergeKey.isEmpty() && mergeKey == mMergeKey && !mUndo.empty() &&
                       mMergeClock.isValid() && mMergeClock.elapsed() < MergeMilliseconds;
    mMergeKey = mergeKey;
    mMergeClock.start();
    if (!joins) {
        Step step = capture(doc, name);
        if (!step.data.isEmpty())
            push(mUndo, std::move(step));
        trim();
    }
    updateFlags(doc);
}

// Undo and redo alike: the present goes onto the other list under the name of the step
// taken back, and the step is restored.
bool UndoSnapshots::travel(CORINOTEDoc& doc, std::deque<Step>& from, std::deque<Step>& to)
{
    mMergeKey.clear();
    if (from.empty())
        return false;
    Step present = capture(doc, from.back().name);
    const Step step = std::move(from.back());
    from.pop_back();
    mBytes -= step.data.size();
    const bool ok = restore(doc, step);
    if (ok && !present.data.isEmpty())
        push(to, std::move(present));
    trim();
    updateFlags(doc);
    return ok;
}

bool UndoSnapshots::undo(CORINOTEDoc& doc)
{
    return travel(doc, mUndo, mRedo);
}

bool UndoSnapshots::redo(CORINOTEDoc& doc)
{
    return travel(doc, mRedo, mUndo);
}

void UndoSnapshots::clear(CORINOTEDoc& doc)
{
    mUndo.clear();
    mRedo.clear();
    mBytes = 0;
    mMergeKey.clear();
    updateFlags(doc);
}

QString UndoSnapshots::undoName() const
{
    return mUndo.empty() ? QString() : mUndo.back().name;
}

QString UndoSnapshots::redoName() const
{
    return mRedo.empty() ? QString() : mRedo.back().name;
}
