#include "CKeisennDialog.h"

#include "ColorChooser.h"
#include "FramePreview.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

CKeisennDialog::CKeisennDialog(const TextAttributes::Frame& f, QWidget* parent)
    : RangeCheckedDialog(parent)
{
    setWindowTitle(tr("枠線"));
    setObjectName(QStringLiteral("KeisennDialog"));
    auto* box = new QGroupBox(this);
    mTop = new QCheckBox(tr("上"), box);
    mBottom = new QCheckBox(tr("下"), box);
    mLeft = new QCheckBox(tr("左"), box);
    mRight = new QCheckBox(tr("右"), box);
    mTop->setChecked(f.top);
    mBottom->setChecked(f.bottom);
    mLeft->setChecked(f.left);
    mRight->setChecked(f.right);
    mPreview = new FramePreview(box);
    auto* grid = new QGridLayout(box);
    grid->addWidget(mTop, 0, 1, Qt::AlignCenter);
    grid->addWidget(mLeft, 1, 0);
    grid->addWidget(mPreview, 1, 1);
    grid->addWidget(mRight, 1, 2);
    grid->addWidget(mBottom, 2, 1, Qt::AlignCenter);

    mColor = new ColorChooser(f.color, this);
    mWidth = addNumber("width", 0, 50, f.width);
    auto* form = new QFormLayout;
    form->addRow(tr("枠線の色："), mColor);
    form->addRow(tr("枠線の太さ（単位は0.1mm）："), mWidth);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QCheckBox* side : {mTop, mBottom, mLeft, mRight})
        connect(side, &QCheckBox::toggled, this, &CKeisennDialog::sidesChanged);
    auto* top = new QVBoxLayout(this);
    top->addWidget(box);
    top->addLayout(form);
    top->addWidget(buttons);
    sidesChanged();
    makeOkDefault();
}

TextAttributes::Frame CKeisennDialog::frame() const
{
    TextAttributes::Frame f;
    f.top = mTop->isChecked();
    f.bottom = mBottom->isChecked();
    f.left = mLeft->isChecked();
    f.right = mRight->isChecked();
    f.width = mWidth->value();
    f.color = mColor->color();
    return f;
}

void CKeisennDialog::sidesChanged()
{
    mPreview->setSides(mTop->isChecked(), mBottom->isChecked(), mLeft->isChecked(),
                       mRight->isChecked());
}
