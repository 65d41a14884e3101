#pragma once

#include "widgets/NumberFields.h"

#include <QDialog>

#include <functional>

class QSpinBox;

// A dialog whose number fields take whatever is typed and are checked on OK: a value outside
// its field's range is refused with "入力された数値は正しくありません。" and the dialog stays
// open, as the property pages do, instead of the field silently cutting the typing short.
// OK is the default button: Return after using another button of the dialog presses OK.
class RangeCheckedDialog : public QDialog
{
    Q_OBJECT
public:
    // How the refusal is shown (a message box unless set; tests answer it).
    std::function<void(const QString&)> showMessage;

    void accept() override;

protected:
    explicit RangeCheckedDialog(QWidget* parent);
    // A number field for low..high starting at `value`, named `name` for tests.
    QSpinBox* addNumber(const char* name, int low, int high, int value);
    // Makes OK the default button and takes the default away from the other buttons.
    void makeOkDefault();

private:
    NumberFields mFields;
};
