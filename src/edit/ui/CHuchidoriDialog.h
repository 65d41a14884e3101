#pragma once

#include "RangeCheckedDialog.h"

class ColorChooser;
class QSpinBox;

// "文字列の縁取り": the outline's width (0.1 mm, 0 = none) and colour.
class CHuchidoriDialog : public RangeCheckedDialog
{
    Q_OBJECT
public:
    CHuchidoriDialog(int width, qint32 color, QWidget* parent = nullptr);

    int outlineWidth() const;
    qint32 outlineColor() const;

private:
    QSpinBox* mWidth;
    ColorChooser* mColor;
};
