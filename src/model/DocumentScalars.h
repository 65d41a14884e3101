#pragma once

#include "base/Geometry.h"

#include <QString>

// The scalars a document file stores, in file order.
struct DocumentScalars
{
    qint32 autoRows = 1;
    qint32 autoCols = 1;
    qint32 currentSheetNo = 1;
    QString templateName;
    Rect paperRect;
    qint32 printSheetFrames = 0;
    qint32 reservedE = 0;
    qint32 perSheetBackgrounds = 1;
    qint32 reservedF = 0;
    qint32 verticalText = 0;
    qint32 roundSheetCorners = 0;
    qint32 printRuledLines = 1;
    qint32 reservedD = 1;
    qint32 senderIndex = 0;
    qint32 printStartPosition = 1;

    bool operator==(const DocumentScalars& o) const
    {
        return autoRows == o.autoRows && autoCols == o.autoCols &&
               currentSheetNo == o.currentSheetNo && templateName == o.templateName &&
               paperRect == o.paperRect && printSheetFrames == o.printSheetFrames &&
               reservedE == o.reservedE && perSheetBackgrounds == o.perSheetBackgrounds &&
               reservedF == o.reservedF && verticalText == o.verticalText &&
               roundSheetCorners == o.roundSheetCorners && printRuledLines == o.printRuledLines &&
               reservedD == o.reservedD && senderIndex == o.senderIndex &&
               printStartPosition == o.printStartPosition;
    }
};

// The attributes given to the next object the user creates.
struct NewObjectDefaults
{
    qint32 sheetHeight = 100;
    qint32 sheetWidth = 100;
    qint32 sheetElliptic = 0;
    QString text;
    qint32 layer = 1;
    qint32 elliptic = 0;
    qint32 vertical = 0;
    qint32 westernHorizontal = 0;
    qint32 regionHeight = 100;
    qint32 regionWidth = 100;
    qint32 lineWidth = 1;
    qint32 lineColor = 0;
    // While set, the fields of the template pages set the values above as they change.
    // The template editor form sets it; switching modes clears it.
    bool setByPages = false;
};
