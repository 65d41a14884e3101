#include "CCharExtraDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

CCharExtraDialog::CCharExtraDialog(int spacing, QWidget* parent) : RangeCheckedDialog(parent)
{
    setWindowTitle(tr("文字間隔"));
    setObjectName(QStringLiteral("CharExtraDialog"));
    mSpacing = addNumber("spacing", 0, 500, spacing);
    auto* form = new QFormLayout;
    form->addRow(tr("文字間隔（0.1mm単位）："), mSpacing);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(buttons);
    makeOkDefault();
}

int CCharExtraDialog::spacing() const
{
    return mSpacing->value();
}
