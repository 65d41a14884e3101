#pragma once

#include "FormPane.h"

class QComboBox;
class QPushButton;

// The left pane in template mode: the display-layer choice "表示レイヤー：" ("すべて",
// "1" … "10"), the "更新" button that applies the template property sheet, and the place
// the property sheet fills. The property sheet itself is not part of the shell: until it
// is set, the place stays empty and "更新" is disabled.
class CTemplateEditorFormView : public FormPane
{
    Q_OBJECT
public:
    explicit CTemplateEditorFormView(CORINOTEDoc& doc, QWidget* parent = nullptr);

    QComboBox* layerCombo() const { return mLayer; }
    QPushButton* applyButton() const { return mApply; }
    // Where the template property sheet goes.
    QWidget* propertySheetPlace() const { return mPlace; }

private:
    void layerChosen(int index);
    void documentChanged();

    QComboBox* mLayer;
    QPushButton* mApply;
    QWidget* mPlace;
};
