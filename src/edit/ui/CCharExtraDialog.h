#pragma once

#include <QDialog>

class QSpinBox;

// "文字間隔": the extra space after every character, 0..500 (0.1 mm).
class CCharExtraDialog : public QDialog
{
    Q_OBJECT
public:
    CCharExtraDialog(int spacing, QWidget* parent = nullptr);
    int spacing() const;

private:
    QSpinBox* mSpacing;
};
