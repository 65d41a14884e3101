#include "RangeCheckedDialog.h"

#include "edit/ValueCheck.h"

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
    // Wide enough for anything typed: the range is checked on OK, with a message.
    box->setRange(-99999, 99999);
    box->setValue(value);
    mFields.append({box, low, high});
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
    for (const Field& f : std::as_const(mFields)) {
        f.box->interpretText();
        if (f.box->value() < f.low || f.box->value() > f.high) {
            showMessage(ValueCheck::message());
            f.box->setFocus();
            f.box->selectAll();
            return;
        }
    }
    QDialog::accept();
}
