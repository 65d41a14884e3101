#pragma once

#include "ReservedArrays.h"
#include "TextRect.h"

class ArchiveReader;
class ArchiveWriter;

// Pieces of the layout file bodies shared by documents and templates.
namespace FamilyIo {

// Frame sides are stored as a rectangle array whose elements hold top, bottom, left, right.
QList<BorderSides> readBorderSides(ArchiveReader& in);
void writeBorderSides(ArchiveWriter& out, const QList<BorderSides>& sides);

// The six reserved arrays. A read error keeps the arrays read before it.
void readReserved(ArchiveReader& in, ReservedArrays& reserved);
void writeReserved(ArchiveWriter& out, const ReservedArrays& reserved);

} // namespace FamilyIo
