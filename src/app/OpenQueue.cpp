#include "OpenQueue.h"

#include <utility>

void OpenQueue::request(const QString& path)
{
    if (mOpening) {
        // Called back from the question's own event loop: kept for afterwards.
        if (mPending)
            ++mCoalesced;
        mPending = path;
        return;
    }
    mOpening = true;
    QString next = path;
    for (;;) {
        mOpen(next);
        if (!mPending)
            break;
        next = *std::exchange(mPending, std::nullopt);
    }
    mOpening = false;
}
