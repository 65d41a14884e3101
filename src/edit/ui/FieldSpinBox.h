#pragma once

#include <QSpinBox>

// A number field with a spin control: the arrows and keys step within the field's range,
// but any number can be typed, so that the page's check refuses it with its message
// rather than the field silently changing it.
class FieldSpinBox : public QSpinBox
{
    Q_OBJECT
public:
    FieldSpinBox(int low, int high, QWidget* parent = nullptr);

    int low() const { return mLow; }
    int high() const { return mHigh; }
    // Whether the value lies in the field's range.
    bool inRange() const { return value() >= mLow && value() <= mHigh; }

    // Shows any number, held within what the field can display.
    void setNumber(qint64 v);

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
    // An emptied field stays empty and holds the lowest value it can (never in range), so
    // that the page's check refuses it rather than the field quietly keeping the old one.
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;

private:
    int mLow;
    int mHigh;
};
