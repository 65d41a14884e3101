#pragma once

#include "edit/RegionBackground.h"

#include <QDialog>

class ColorChooser;
class PicturePreview;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;

// "背景": a text region's background colour (or none), background picture, the colour
// of the picture made transparent (picked by clicking the preview; the right button
// gives white) and the picture's transparency.
class CBGColorDialog : public QDialog
{
    Q_OBJECT
public:
    CBGColorDialog(const RegionBackground::Values& values, QWidget* parent = nullptr);

    RegionBackground::Values values() const;
    void setPicture(const QString& path);
    void setKeyColor(qint32 color);
    // The preview, for picking the key colour.
    PicturePreview* preview() const { return mPreview; }
    // The picture's size in pixels; invalid when it cannot be read.
    QSize pictureSize() const;

private:
    void refresh();
    void choosePicture();

    ColorChooser* mColor;
    QCheckBox* mNoColor;
    QLineEdit* mPicture;
    ColorChooser* mKey;
    QCheckBox* mKeyOn;
    QLabel* mKeyText;
    QSlider* mTransparency;
    QLabel* mTransparencyText;
    PicturePreview* mPreview;
    bool mKeyKnown = false;
};
