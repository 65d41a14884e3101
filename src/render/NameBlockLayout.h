#pragma once

#include "address/NameBlock.h"
#include "base/Geometry.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <functional>

// Where the pieces of a name block go in a text region, before anything is drawn.
//
// The block is set in lines along the region's writing direction, stacked across it as
// the two-line rule stacks its lines (columns from right to left for a vertical region,
// rows from the top otherwise): the company lines first, at 7/10 of the names' size, then
// one line per name, neighbouring lines a quarter em apart. The main surname, and a joint
// name's own surname, stand at the line's start; every given name starts where the main
// given name starts (after the widest surname) (when the main name has no given name, the
// joint names end where it ends); every honorific starts at one position, half an em
// after the longest name. One size serves the whole block: the region's font size
// (`maxHeight`) or, when the lines need more room, the cross size shared among them (gaps
// included: the size shrinks, not the gap), made
// smaller until the longest line fits the span. The block is
// centred across the region and aligned along it as the region's text is (start, centre,
// end).
struct NameBlockLayout
{
    using Measure = std::function<int(const QString& text, int height)>;

    enum class Role { Company, Surname, Given, Honorific };

    struct Piece
    {
        QString text;
        Role role = Role::Given;
        int line = 0;    // from 0, company lines first
        int height = 0;  // em size
        int along = 0;   // from the region's start edge along the lines
        int across = 0;  // from the region's first edge across the lines
        int width = 0;   // measured extent along the line
        QPointF start;   // the top-left of its first character cell on the page
    };

    int rotation = 0;
    int crossSize = 0;
    int span = 0;
    int nameHeight = 0;
    int companyHeight = 0;
    int width = 0; // the block's extent along the lines
    QList<Piece> pieces;

    // A `maxHeight` of 0 or less sets no limit beyond the region's cross size.
    static NameBlockLayout compute(const Rect& rect, int orientation, int alignment,
                                   int maxHeight, const NameBlock& block,
                                   const Measure& measure);
};
