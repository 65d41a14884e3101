#pragma once

#include "PlacementMemory.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <deque>

class CORINOTEDoc;

// Undo and redo as deep as the setting "元に戻す回数" (1–1000, 100 at first). Each step is
// the document as its file writes it, compressed, with what the user saw beside it (the
// record list of data mode, the current page and the placements remembered) and the
// short name of the command that made it ("移動", "文字列の変更"), held in memory: two
// running copies never share steps.
// A new step withdraws redo. The steps are bounded by the depth and by MaxBytes in all;
// the oldest go first. The document's undoAvailable and redoAvailable flags say whether
// a step is offered.
class UndoSnapshots
{
public:
    static constexpr int DefaultDepth = 100;
    static constexpr int MinDepth = 1;
    static constexpr int MaxDepth = 1000;
    static constexpr qint64 MaxBytes = qint64(512) << 20;
    // Steps taken with the same merge key this soon after the last one join it.
    static constexpr int MergeMilliseconds = 1000;

    // The settings key of the depth (section "ON").
    static QString depthKey();
    static int clampDepth(int depth);

    void setDepth(int depth);
    int depth() const { return mDepth; }

    // A document nobody can undo on (the batch command's) keeps no steps: take() then
    // does nothing, which spares writing the whole document before every operation.
    void setKeeping(bool keeping) { mKeeping = keeping; }

    // Keeps the document as it is now, before an edit named `name`. With a merge key equal
    // to the last step's, taken within MergeMilliseconds of it and with nothing undone or
    // redone since, the edit joins that step and nothing new is kept (ten nudges in a row
    // are one step).
    void take(CORINOTEDoc& doc, const QString& name, const QString& mergeKey = QString());
    // Goes back one step (the present kept for redo), or forward one. False when there
    // is no step, or when a step could not be read back (the document is then unchanged).
    bool undo(CORINOTEDoc& doc);
    bool redo(CORINOTEDoc& doc);
    // Forgets every step (a new or opened document).
    void clear(CORINOTEDoc& doc);

    QString undoName() const;
    QString redoName() const;
    int undoCount() const { return int(mUndo.size()); }
    int redoCount() const { return int(mRedo.size()); }
    // The memory the kept steps take.
    qint64 bytes() const { return mBytes; }

    // One kept state of the document.
    struct Step
    {
        QString name;
        QByteArray data; // compressed: the document body, then the record list
        qint64 size = 0; // before compression
        int page = 1;
        PlacementMemory placements;
    };

    // The document as it is now, and put back as it was kept (false, the document
    // unchanged, when it cannot be read back). Also used without the lists, for a passing
    // change that must leave no trace and no step (the pages built for one print).
    static Step capture(const CORINOTEDoc& doc, const QString& name);
    static bool restore(CORINOTEDoc& doc, const Step& step);

private:
    bool travel(CORINOTEDoc& doc, std::deque<Step>& from, std::deque<Step>& to);
    void push(std::deque<Step>& steps, Step step);
    void trim();
    void updateFlags(CORINOTEDoc& doc) const;

    std::deque<Step> mUndo; // oldest first
    std::deque<Step> mRedo; // the next redo last
    qint64 mBytes = 0;
    int mDepth = DefaultDepth;
    bool mKeeping = true;
    QString mMergeKey;
    QElapsedTimer mMergeClock;
};
