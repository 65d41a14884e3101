#include "NumberFields.h"

#include "edit/ValueCheck.h"

#include <QSpinBox>
#include <QVariant>

void NumberFields::widen(QSpinBox* box, int low, int high)
{
    // Wide enough for anything typed: the range is checked on confirming, with a message.
    box->setRange(-99999, 99999);
    box->setProperty("low", low);
    box->setProperty("high", high);
}

void NumberFields::add(QSpinBox* box, int low, int high, int value)
{
    widen(box, low, high);
    box->setValue(value);
    mBoxes.append(box);
}

bool NumberFields::check(const std::function<void(const QString&)>& show) const
{
    for (QSpinBox* box : mBoxes) {
        box->interpretText();
        const int v = box->value();
        if (v < box->property("low").toInt() || v > box->property("high").toInt()) {
            show(message());
            box->setFocus();
            box->selectAll();
            return false;
        }
    }
    return true;
}

QString NumberFields::message()
{
    return ValueCheck::message();
}
