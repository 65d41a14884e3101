#pragma once

#include "PositionDialog.h"

// A position and size dialog over rectangles (sheets or text regions): the list shows
// "No.", "X座標", "Y座標", "高さ", "幅" and the fields the selected row's values.
class RectPositionDialog : public PositionDialog
{
    Q_OBJECT
protected:
    RectPositionDialog(const PositionEdit& rects, QWidget* parent);
    // Adds the four fields; the subclass calls it where they belong in its form.
    void addRectFields();

    QStringList rowTexts(int row) const override;
    void showRow(int row) override;
    QString store(const QList<int>& rows) override;

private:
    QSpinBox* mX = nullptr;
    QSpinBox* mY = nullptr;
    QSpinBox* mHeight = nullptr;
    QSpinBox* mWidth = nullptr;
};
