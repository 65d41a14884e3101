#pragma once

#include "TemplatePropPage.h"

class BackgroundPreviewBox;
class FieldSpinBox;
class QCheckBox;
class QLineEdit;

// "シート設定": the paper size and picture of the copy, and its sheets as a list with the
// fields of one sheet, "追加", "変更", "削除" and "用紙にセット".
class CLabelSheetPropPage : public TemplatePropPage
{
    Q_OBJECT
public:
    explicit CLabelSheetPropPage(TemplatePageContext& context, QWidget* parent = nullptr);

    void reload() override;

    void addSheet();
    void changeSheet();
    void removeSheets();
    // Fills the sheet fields with the whole paper; nothing is stored.
    void fillWithPaper();
    void choosePaperPicture();

    FieldSpinBox* paperHeightEdit() const { return mPaperHeight; }
    FieldSpinBox* paperWidthEdit() const { return mPaperWidth; }
    QLineEdit* paperPictureEdit() const { return mPaperPicture; }
    FieldSpinBox* xEdit() const { return mX; }
    FieldSpinBox* yEdit() const { return mY; }
    FieldSpinBox* heightEdit() const { return mHeight; }
    FieldSpinBox* widthEdit() const { return mWidth; }
    QCheckBox* ellipticBox() const { return mElliptic; }
    BackgroundPreviewBox* previewBox() const { return mPreview; }

protected:
    QList<int> documentRows() const override;
    void pickRows(const QList<int>& rows) override;
    bool familyUnchanged() const override;
    void showRows(const QList<int>& rows) override;

private:
    RectFields fields() const;
    void paperEdited();
    void sizeEdited();
    void ellipticEdited();

    FieldSpinBox* mPaperHeight;
    FieldSpinBox* mPaperWidth;
    QLineEdit* mPaperPicture;
    FieldSpinBox* mX;
    FieldSpinBox* mY;
    FieldSpinBox* mHeight;
    FieldSpinBox* mWidth;
    QCheckBox* mElliptic;
    BackgroundPreviewBox* mPreview;
};
