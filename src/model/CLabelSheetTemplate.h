#pragma once

#include "Keisenn.h"
#include "ReservedArrays.h"
#include "Sheet.h"
#include "TextRect.h"
#include "base/Geometry.h"

#include <QString>

class ArchiveReader;
class ArchiveWriter;

// The design of one page: the paper, the sheets of the page, the text regions designed
// for sheet No. 1 and the ruled lines. The template's regions use every text-region
// attribute except text, sheetNo and orderSheetNo; its sheets every sheet attribute
// except autoCols and autoRows. Those arrays are kept parallel but not stored.
class CLabelSheetTemplate
{
public:
    CLabelSheetTemplate();

    // A3 portrait paper, no picture, flags 0 but the last reserved int 1, no objects.
    void reset();

    Rect paperRect;
    QString paperPicture;
    qint32 verticalText = 0;
    qint32 printSheetFrames = 0;
    qint32 roundSheetCorners = 0;
    qint32 printRuledLines = 0;
    qint32 reserved1 = 0;
    qint32 reserved2 = 0;
    qint32 reserved3 = 1;
    SheetFamily sheets;
    TextRectFamily regions;
    KeisennFamily keisenns;
    ReservedArrays reserved;
    // Paper setup values of the template editor form; not stored in files.
    qint32 setup[4] = {0, 0, 0, 0};

    // Reads the template body. On a read error the fields read so far keep their new
    // content and the rest keep the old; every family is then cut to its shortest array,
    // so the families stay consistent. Returns false on a read error (see the reader).
    bool read(ArchiveReader& in);
    void write(ArchiveWriter& out) const;

    // The preview text of the template file dialog.
    QString summary() const;
    // The preview text for a file that cannot be read.
    static QString emptySummary();

    bool operator==(const CLabelSheetTemplate& o) const;
};
