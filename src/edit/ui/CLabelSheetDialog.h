#pragma once

#include "RectPositionDialog.h"

// "シートの位置・サイズ調整": the paper size and every sheet's position and size. OK
// checks the paper size again and stays open when it is out of range.
class CLabelSheetDialog : public RectPositionDialog
{
    Q_OBJECT
public:
    CLabelSheetDialog(const PositionEdit& sheets, int currentRow, QWidget* parent = nullptr);

protected:
    QString checkOnOk() override;

private:
    QSpinBox* mPaperHeight;
    QSpinBox* mPaperWidth;
};
