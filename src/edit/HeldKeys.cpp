#include "HeldKeys.h"

HeldKeys::Press HeldKeys::press(int key, bool autoRepeat, qint64 ms)
{
    const auto found = mKeys.constFind(key);
    const bool known = found != mKeys.constEnd();
    State s = known ? *found : State{};
    Press p;
    p.held = autoRepeat || (known && (s.down || ms - s.releasedAt <= PairGap));
    // A held key acts again only once the interval has passed since it last acted.
    p.accepted = !p.held || ms - s.actedAt >= RepeatInterval;
    s.down = true;
    if (p.accepted)
        s.actedAt = ms;
    mKeys.insert(key, s);
    return p;
}

void HeldKeys::release(int key, bool autoRepeat, qint64 ms)
{
    if (autoRepeat)
        return;
    const auto found = mKeys.find(key);
    if (found == mKeys.end())
        return;
    found->down = false;
    found->releasedAt = ms;
}
