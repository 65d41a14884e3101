#pragma once

#include "RectPositionDialog.h"

// "文字列編集領域の位置・サイズ調整": every text region's position and size.
class CTextRectDialog : public RectPositionDialog
{
    Q_OBJECT
public:
    CTextRectDialog(const PositionEdit& regions, int currentRow, QWidget* parent = nullptr);
};
