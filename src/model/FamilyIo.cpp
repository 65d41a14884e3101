#include "FamilyIo.h"

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

namespace FamilyIo {

QList<BorderSides> readBorderSides(ArchiveReader& in)
{
    const QList<Rect> raw = in.readRectArray();
    QList<BorderSides> sides;
    sides.reserve(raw.size());
    for (const Rect& r : raw)
        sides.append(BorderSides{r.left, r.top, r.right, r.bottom});
    return sides;
}

void writeBorderSides(ArchiveWriter& out, const QList<BorderSides>& sides)
{
    QList<Rect> raw;
    raw.reserve(sides.size());
    for (const BorderSides& s : sides)
        raw.append(Rect{s.top, s.bottom, s.left, s.right});
    out.writeRectArray(raw);
}

void readReserved(ArchiveReader& in, ReservedArrays& reserved)
{
    in.assignIfRead(reserved.rects1, in.readRectArray());
    in.assignIfRead(reserved.rects2, in.readRectArray());
    in.assignIfRead(reserved.ints1, in.readIntArray());
    in.assignIfRead(reserved.rects3, in.readRectArray());
    in.assignIfRead(reserved.rects4, in.readRectArray());
    in.assignIfRead(reserved.ints2, in.readIntArray());
}

void writeReserved(ArchiveWriter& out, const ReservedArrays& reserved)
{
    out.writeRectArray(reserved.rects1);
    out.writeRectArray(reserved.rects2);
    out.writeIntArray(reserved.ints1);
    out.writeRectArray(reserved.rects3);
    out.writeRectArray(reserved.rects4);
    out.writeIntArray(reserved.ints2);
}

} // namespace FamilyIo
