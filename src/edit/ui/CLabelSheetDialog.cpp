#include "CLabelSheetDialog.h"

#include <QSpinBox>

CLabelSheetDialog::CLabelSheetDialog(const PositionEdit& sheets, int currentRow, QWidget* parent)
    : RectPositionDialog(sheets, parent)
{
    setWindowTitle(tr("シートの位置・サイズ調整"));
    setObjectName(QStringLiteral("LabelSheetDialog"));
    mPaperHeight = addField(tr("縦："));
    mPaperWidth = addField(tr("横："));
    mPaperHeight->setObjectName(QStringLiteral("paperHeight"));
    mPaperWidth->setObjectName(QStringLiteral("paperWidth"));
    mPaperHeight->setValue(int(mEdit.paperHeight()));
    mPaperWidth->setValue(int(mEdit.paperWidth()));
    addRectFields();
    fillRows();
    selectRows({currentRow});
}

QString CLabelSheetDialog::checkOnOk()
{
    return mEdit.setPaperSize(mPaperHeight->value(), mPaperWidth->value());
}
