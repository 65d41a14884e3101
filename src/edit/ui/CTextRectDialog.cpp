#include "CTextRectDialog.h"

CTextRectDialog::CTextRectDialog(const PositionEdit& regions, int currentRow, QWidget* parent)
    : RectPositionDialog(regions, parent)
{
    setWindowTitle(tr("文字列編集領域の位置・サイズ調整"));
    setObjectName(QStringLiteral("TextRectDialog"));
    addRectFields();
    fillRows();
    selectRows({currentRow});
}
