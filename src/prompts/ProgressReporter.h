#pragma once

// What a long operation tells the progress dialog: how much there is to do and how much
// is done. The operation must let the event loop run now and then (advance() may do it
// for the caller) for the dialog to move.
class ProgressReporter
{
public:
    virtual ~ProgressReporter() = default;
    // Shows the progress for `total` steps, none done yet.
    virtual void start(int total) = 0;
    virtual void advance(int done) = 0;
    // Hides the progress.
    virtual void finish() = 0;
};
