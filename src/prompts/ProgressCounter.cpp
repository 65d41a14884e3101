#include "ProgressCounter.h"

#include <algorithm>

int ProgressCounter::percent() const
{
    if (mDone <= 0 || mTotal <= 0)
        return 0;
    return int(std::clamp<long long>(100LL * mDone / mTotal, 0, 100));
}
