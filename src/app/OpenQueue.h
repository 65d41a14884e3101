#pragma once

#include <QString>

#include <functional>
#include <optional>

// Documents to open that arrive from outside (the command channel, a file manager
// opening many files at once). Opening may ask the user first (save the changes?), and
// while that question is open more requests arrive: they are not asked one on top of
// the other but kept, the latest replacing the earlier ones, and opened once the
// question is answered — one question for a flood, the last request wins.
class OpenQueue
{
public:
    using Open = std::function<void(const QString& path)>;

    explicit OpenQueue(Open open) : mOpen(std::move(open)) {}

    // Opens `path` now, or after the open in progress when one is (keeping only the
    // latest path asked for meanwhile).
    void request(const QString& path);

    // Requests kept while an open was in progress and then replaced by a later one.
    int coalesced() const { return mCoalesced; }

private:
    Open mOpen;
    bool mOpening = false;
    std::optional<QString> mPending;
    int mCoalesced = 0;
};
