#pragma once

#include "edit/SheetBackgrounds.h"

#include <QDialog>

#include <functional>

class ColorChooser;
class PicturePreview;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;

// "シート背景": the background of each sheet (colour, picture, how far it reaches beyond
// the frame, the picture's aspect and transparency), one sheet at a time: stepping the
// sheet number stores what is shown into the sheet shown and shows the next.
class CLabelSheetOptionDialog : public QDialog
{
    Q_OBJECT
public:
    CLabelSheetOptionDialog(const SheetBackgrounds& sheets, QWidget* parent = nullptr);

    // How the dialog shows a refusal (a message box by default).
    std::function<void(const QString&)> showMessage;

    const SheetBackgrounds& backgrounds() const { return mSheets; }
    int shownSheet() const { return mShown; }
    void accept() override;

private:
    void showSheet(int index);
    SheetBackgrounds::Values shownValues() const;
    bool storeShown();
    void sheetNumberChanged(int number);
    void refreshPreview();
    void pictureChanged();

    SheetBackgrounds mSheets;
    int mShown = 0;
    QSpinBox* mNumber;
    ColorChooser* mColor;
    QLineEdit* mPicture;
    QSpinBox* mBleedX;
    QSpinBox* mBleedY;
    QCheckBox* mKeepAspect;
    QSlider* mTransparency;
    QLabel* mTransparencyText;
    PicturePreview* mPreview;
};
