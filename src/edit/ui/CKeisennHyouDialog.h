#pragma once

#include "edit/KeisennTable.h"

#include "RangeCheckedDialog.h"

class ColorChooser;
class FramePreview;
class QCheckBox;
class QSpinBox;

// "罫線（表）": the layout of a ruled-line table being added: the frame sides, rows and
// columns, the lines' colour and width, and whether rows, columns or cells get sheets
// and text regions (with the gaps that inset the regions). It only gathers the values;
// numbers out of range are refused on OK.
class CKeisennHyouDialog : public RangeCheckedDialog
{
    Q_OBJECT
public:
    explicit CKeisennHyouDialog(const KeisennTableOptions& defaults, QWidget* parent = nullptr);

    KeisennTableOptions options() const;

    // Runs the dialog; nothing when it is cancelled.
    static std::optional<KeisennTableOptions> ask(const KeisennTableOptions& defaults,
                                                  QWidget* parent);

private:
    void sidesChanged();

    QCheckBox* mTop;
    QCheckBox* mBottom;
    QCheckBox* mLeft;
    QCheckBox* mRight;
    FramePreview* mPreview;
    QSpinBox* mRows;
    QSpinBox* mColumns;
    ColorChooser* mColor;
    QSpinBox* mWidth;
    QCheckBox* mNoInnerLines;
    QCheckBox* mSheetPerRow;
    QCheckBox* mSheetPerColumn;
    QCheckBox* mRegionPerCell;
    QSpinBox* mGapTop;
    QSpinBox* mGapBottom;
    QSpinBox* mGapLeft;
    QSpinBox* mGapRight;
};
