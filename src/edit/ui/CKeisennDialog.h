#pragma once

#include "edit/TextAttributes.h"

#include "RangeCheckedDialog.h"

class ColorChooser;
class FramePreview;
class QCheckBox;
class QSpinBox;

// "枠線": which sides of a text region's frame are drawn, their colour and width, with
// a preview of the sides.
class CKeisennDialog : public RangeCheckedDialog
{
    Q_OBJECT
public:
    CKeisennDialog(const TextAttributes::Frame& frame, QWidget* parent = nullptr);
    TextAttributes::Frame frame() const;

private:
    void sidesChanged();

    QCheckBox* mTop;
    QCheckBox* mBottom;
    QCheckBox* mLeft;
    QCheckBox* mRight;
    FramePreview* mPreview;
    ColorChooser* mColor;
    QSpinBox* mWidth;
};
