#pragma once

// The page commands of the drawing view: first, ten back, previous, next, ten forward,
// last. Pages count from 1 to the page count.
namespace PageNavigation {

// Whether the command is one of the six page commands.
bool isNavigation(int command);

// Whether the command can move from `current` with `count` pages:
// first and previous while current > 1, next and last while current < count, ten back
// while current ≥ 11, ten forward while count ≥ current + 10. (Inside 1 … count these are
// the "not on the first / last page" rules; a page number left outside the range by a
// shorter document never moves further out.)
bool isEnabled(int command, int current, int count);

// The page the command moves to. A disabled command returns `current` unchanged, so the
// result always lies in 1 … count when `current` does.
int target(int command, int current, int count);

} // namespace PageNavigation
