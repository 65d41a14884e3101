#include "FieldSpinBox.h"

#include <algorithm>

FieldSpinBox::FieldSpinBox(int low, int high, QWidget* parent)
    : QSpinBox(parent), mLow(low), mHigh(high)
{
    // Wide enough for any mistyped value a dialog field might hold.
    setRange(-999999, 999999);
    setValue(low);
    // Marked as every checked number field is (NumberFields).
    setProperty("low", low);
    setProperty("high", high);
    setAlignment(Qt::AlignRight);
    setAccelerated(true);
}

void FieldSpinBox::setNumber(qint64 v)
{
    setValue(int(std::clamp<qint64>(v, minimum(), maximum())));
}

void FieldSpinBox::stepBy(int steps)
{
    const qint64 next = qint64(value()) + steps;
    setValue(int(std::clamp<qint64>(next, mLow, mHigh)));
    selectAll();
}

QValidator::State FieldSpinBox::validate(QString& input, int& pos) const
{
    if (input.trimmed().isEmpty())
        return QValidator::Acceptable;
    return QSpinBox::validate(input, pos);
}

int FieldSpinBox::valueFromText(const QString& text) const
{
    return text.trimmed().isEmpty() ? minimum() : QSpinBox::valueFromText(text);
}

QString FieldSpinBox::textFromValue(int value) const
{
    return value == minimum() ? QString() : QSpinBox::textFromValue(value);
}

QAbstractSpinBox::StepEnabled FieldSpinBox::stepEnabled() const
{
    StepEnabled e = StepNone;
    if (value() < mHigh)
        e |= StepUpEnabled;
    if (value() > mLow)
        e |= StepDownEnabled;
    return e;
}
