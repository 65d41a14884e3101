#pragma once

#include <QHash>

// Tells a key held down from a key pressed anew, whatever the events are marked. A held
// key reaches a window as a stream of presses, and on X11 as release/press pairs with
// the same time, of which the toolkit marks only some as auto-repeat: a press counts as
// held when it is marked so, when its key was not released since its last press, or when
// the key was released at most `PairGap` ms before. A held key's presses are let through
// at most once every `RepeatInterval` ms, so that holding a key does a bounded amount.
class HeldKeys
{
public:
    static constexpr qint64 PairGap = 30;
    static constexpr qint64 RepeatInterval = 125;

    struct Press
    {
        bool held = false;    // a repeat of a key being held
        bool accepted = true; // the press acts (a new press always; a held one now and then)
    };

    // A press of `key` at time `ms` (any clock that does not go back).
    Press press(int key, bool autoRepeat, qint64 ms);
    // A release of `key`; releases marked as auto-repeat change nothing.
    void release(int key, bool autoRepeat, qint64 ms);
    // Every key counts as released (the window lost the keyboard).
    void clear() { mKeys.clear(); }

private:
    struct State
    {
        bool down = false;
        qint64 releasedAt = 0;
        qint64 actedAt = 0;
    };
    QHash<int, State> mKeys;
};
