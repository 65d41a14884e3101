#include "RangeCheckedDialog.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

RangeCheckedDialog::RangeCheckedDialog(QWidget* parent) : QDialog(parent)
{
    showMessage = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
}

QSpinBox* RangeCheckedDialog::addNumber(const char* name, int low, int high, int value)
{
    auto* box = new QSpinBox(this);
    box->setObjectName(QLatin1String(name));
    mFields.add(box, low, high, value);
    return box;
}

void RangeCheckedDialog::makeOkDefault()
{
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    if (auto* buttons = findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setDefault(true);
    }
}

void RangeCheckedDialog::accept()
{
    if (mFields.check(showMessage))
        QDialog::accept();
}
