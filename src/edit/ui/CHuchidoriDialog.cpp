#include "CHuchidoriDialog.h"

#include "ColorChooser.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

CHuchidoriDialog::CHuchidoriDialog(int width, qint32 color, QWidget* parent)
    : RangeCheckedDialog(parent)
{
    setWindowTitle(tr("文字列の縁取り"));
    setObjectName(QStringLiteral("HuchidoriDialog"));
    mWidth = addNumber("width", 0, 30, width);
    mColor = new ColorChooser(color, this);
    auto* form = new QFormLayout;
    form->addRow(tr("縁取りの太さ（単位0.1mm）："), mWidth);
    form->addRow(tr("縁取りの色："), mColor);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(buttons);
    makeOkDefault(); // Return after 色の変更 presses OK
}

int CHuchidoriDialog::outlineWidth() const
{
    return mWidth->value();
}

qint32 CHuchidoriDialog::outlineColor() const
{
    return mColor->color();
}
