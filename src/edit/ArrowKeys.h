#pragma once

#include <QPoint>

#include <optional>

// What an arrow key does to the selection in the drawing view. Up and Down (like Home
// and End) are also the keys held to choose which end of a ruled line a drag moves: where
// that matters (the ruled-line tool, and data mode, where a click with one held picks a
// line) they only mark the end and never move anything, and there a held key's
// repeats move nothing either. Elsewhere each arrow key moves the selection one grid
// step (0.1 mm without a grid).
class ArrowKeys
{
public:
    // The ruled-line tool of template mode.
    static constexpr int LineEditTool = 6;

    // The offset in paper units (y up) for `key` (a Qt::Key), or nothing when the key
    // does not move the selection in this state; `held`: the press repeats a held key.
    static std::optional<QPoint> nudge(int key, bool held, bool templateMode, int editTool,
                                       int gridUnit);
};
