#include "GridSnap.h"

#include <cstdint>

namespace GridSnap {

int multipleOf(int gridUnit)
{
    switch (gridUnit) {
    case 1:
        return 10;
    case 5:
        return 50;
    case 10:
        return 100;
    default:
        return 0;
    }
}

qint32 snap(qint32 v, int gridUnit)
{
    const qint64 m = multipleOf(gridUnit);
    if (m == 0)
        return v;
    // The remainder carries the sign of v, so halves round away from zero on both sides.
    const qint64 r = qint64(v) % m;
    qint64 result = qint64(v) - r;
    if (2 * r >= m)
        result += m;
    else if (2 * r <= -m)
        result -= m;
    return qint32(qBound<qint64>(INT32_MIN / m * m, result, INT32_MAX / m * m));
}

bool toolSnaps(int editTool)
{
    switch (editTool) {
    case 0:
    case 2:
    case 4:
    case 5:
    case 7:
    case 8:
        return true;
    default:
        return false;
    }
}

} // namespace GridSnap
