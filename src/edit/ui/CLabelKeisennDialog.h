#pragma once

#include "PositionDialog.h"

class ColorChooser;

// "罫線": every ruled line's points, width and colour. With several rows selected,
// "変更" gives them the width and colour only, after a question.
class CLabelKeisennDialog : public PositionDialog
{
    Q_OBJECT
public:
    explicit CLabelKeisennDialog(const PositionEdit& lines, const QList<int>& selected = {},
                                 QWidget* parent = nullptr);

    // The colour the fields hold (0x00BBGGRR).
    void setColor(qint32 color);

protected:
    QStringList rowTexts(int row) const override;
    void showRow(int row) override;
    QString store(const QList<int>& rows) override;

private:
    QSpinBox* mX1;
    QSpinBox* mY1;
    QSpinBox* mX2;
    QSpinBox* mY2;
    QSpinBox* mWidth;
    ColorChooser* mColor;
};
