#pragma once

#include "TemplatePropPage.h"

#include "edit/TemplateSetupEdits.h"

class BackgroundPreviewBox;
class FieldSpinBox;
class QCheckBox;
class QComboBox;

// "文字列編集領域": the text regions of the copy as a list, with the attribute (a fixed
// text or a merge field), layer, rectangle, ellipse box and the writing direction of a
// region to add.
class CTextRectPropPage : public TemplatePropPage
{
    Q_OBJECT
public:
    explicit CTextRectPropPage(TemplatePageContext& context, QWidget* parent = nullptr);

    void addRegion();
    void changeRegion();
    void removeRegions();

    QComboBox* attributeCombo() const { return mAttribute; }
    FieldSpinBox* layerEdit() const { return mLayer; }
    FieldSpinBox* xEdit() const { return mX; }
    FieldSpinBox* yEdit() const { return mY; }
    FieldSpinBox* heightEdit() const { return mHeight; }
    FieldSpinBox* widthEdit() const { return mWidth; }
    QCheckBox* verticalBox() const { return mVertical; }
    QCheckBox* westernBox() const { return mWestern; }
    QCheckBox* ellipticBox() const { return mElliptic; }
    QCheckBox* squeezeBox() const { return mSqueeze; }
    BackgroundPreviewBox* previewBox() const { return mPreview; }

protected:
    QList<int> documentRows() const override;
    void pickRows(const QList<int>& rows) override;
    bool familyUnchanged() const override;
    void showRows(const QList<int>& rows) override;

private:
    TemplateSetupEdits::RegionFields fields() const;
    void sizeEdited();
    void layerEdited();
    void attributeEdited();
    void ellipticEdited();
    void verticalToggled(bool on);
    void westernToggled(bool on);
    void directionEdited();

    QComboBox* mAttribute;
    FieldSpinBox* mLayer;
    FieldSpinBox* mX;
    FieldSpinBox* mY;
    FieldSpinBox* mHeight;
    FieldSpinBox* mWidth;
    QCheckBox* mVertical;
    QCheckBox* mWestern;
    QCheckBox* mElliptic;
    QCheckBox* mSqueeze;
    BackgroundPreviewBox* mPreview;
};
