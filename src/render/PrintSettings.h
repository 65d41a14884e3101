#pragma once

#include <QString>

class CORINOTEDoc;

// The values of the print settings dialog and how they are taken over: the offsets belong
// to the machine and printer (kept in the profile as "PosX" / "PosY", never in documents),
// the flags and the print start position to the document.
class PrintSettings
{
public:
    struct Values
    {
        int offsetX = 0; // 0.1 mm, positive to the right
        int offsetY = 0; // 0.1 mm, positive downwards
        bool sheetFrames = false;
        bool roundCorners = false; // meaningful only with sheet frames
        bool ruledLines = false;
        int startPosition = 1;

        friend bool operator==(const Values& a, const Values& b)
        {
            return a.offsetX == b.offsetX && a.offsetY == b.offsetY &&
                   a.sheetFrames == b.sheetFrames && a.roundCorners == b.roundCorners &&
                   a.ruledLines == b.ruledLines && a.startPosition == b.startPosition;
        }
    };

    static constexpr int MinOffset = -1000;
    static constexpr int MaxOffset = 1000;

    static Values current(const CORINOTEDoc& doc);

    // The start position must name a sheet of the page (1 … sheets per page) and the
    // offsets lie within ±100 mm. Returns the message for the first value that does not.
    static QString check(const Values& values, int sheetsPerPage);

    // Checks, then takes the values over: undo snapshot, offsets into the document and the
    // profile, flags (round corners dropped without frames), start position, the document
    // marked modified and redrawn. Returns the check's message and changes nothing when
    // a value is wrong. The new start position shows at the next rebuild of the pages.
    static QString apply(CORINOTEDoc& doc, const Values& values);
};
