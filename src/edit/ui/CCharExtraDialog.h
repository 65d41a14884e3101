#pragma once

#include "RangeCheckedDialog.h"

class QSpinBox;

// "文字間隔": the extra space after every character, 0..500 (0.1 mm).
class CCharExtraDialog : public RangeCheckedDialog
{
    Q_OBJECT
public:
    CCharExtraDialog(int spacing, QWidget* parent = nullptr);
    int spacing() const;

private:
    QSpinBox* mSpacing;
};
