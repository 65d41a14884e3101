#pragma once

#include <QList>
#include <QString>

#include <functional>

class QSpinBox;

// The number fields of a dialog, checked when it is confirmed. A field takes whatever is
// typed (its box is widened far past its range), so that a value out of the range is
// refused with "入力された数値は正しくありません。" and the dialog stays open, instead of the
// box cutting the typing short (600 becoming 60) or quietly keeping the old value. Each
// field carries its range as the box's properties "low" and "high", so that a test can
// walk every field of every dialog.
class NumberFields
{
public:
    // Registers `box` for low..high and shows `value` in it.
    void add(QSpinBox* box, int low, int high, int value);
    // Only widens `box` and marks its range, for a dialog that checks its fields on
    // confirming with messages of its own.
    static void widen(QSpinBox* box, int low, int high);
    // False, after showing the message through `show` and putting the focus on the
    // field, when a field holds a value outside its range.
    bool check(const std::function<void(const QString&)>& show) const;

    // "入力された数値は正しくありません。"
    static QString message();

private:
    QList<QSpinBox*> mBoxes;
};
