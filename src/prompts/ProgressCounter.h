#pragma once

// The count behind the progress bar: a total and the steps done, shown in per cent.
class ProgressCounter
{
public:
    void start(int total)
    {
        mTotal = total;
        mDone = 0;
    }
    void setDone(int done) { mDone = done; }
    int total() const { return mTotal; }
    int done() const { return mDone; }

    // done × 100 / total, cut to 0 … 100; 0 while nothing is done or there is no total.
    int percent() const;

private:
    int mTotal = 0;
    int mDone = 0;
};
