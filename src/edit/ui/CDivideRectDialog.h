#pragma once

#include "edit/RectSplit.h"

#include "RangeCheckedDialog.h"

class QSpinBox;

// "分割": how many rows and columns a sheet or text region is split into, and the gaps
// between the cells. It only gathers the values; numbers out of range are refused on OK.
class CDivideRectDialog : public RangeCheckedDialog
{
    Q_OBJECT
public:
    explicit CDivideRectDialog(QWidget* parent = nullptr);

    RectSplit::Grid grid() const;

    // Runs the dialog; nothing when it is cancelled.
    static std::optional<RectSplit::Grid> ask(QWidget* parent);

private:
    QSpinBox* mRows;
    QSpinBox* mColumns;
    QSpinBox* mGapX;
    QSpinBox* mGapY;
};
