#pragma once

#include <QPointF>
#include <QString>

class QPainter;

// The calibration test page: four crosses 200 units long at 10 mm and 50 mm from the
// paper's left and top edges, each with its caption, and the instruction below them.
// Drawn in the print mapping (0.1 mm per unit, y up), so it moves with the print offsets
// exactly as the layout does; comparing where the crosses land with what the captions say
// tells the user which offsets to set.
class CalibrationPage
{
public:
    struct Cross
    {
        QPointF centre;
        QPointF captionAt; // top-left corner of the caption
        QString caption;
    };

    static constexpr int FontHeight = 40; // 4 mm
    static constexpr int HalfLength = 100;

    static const Cross& cross(int i); // i = 0 … 3
    static QPointF instructionAt();
    static QString instruction();

    // Draws the page with a black pen and "ＭＳ Ｐゴシック" 4 mm high; the painter's state
    // is restored afterwards.
    static void draw(QPainter& painter);
};
