#pragma once

#include "FormPane.h"

class CLabelTemplatePropSheet;
class QComboBox;
class QLabel;
class QPushButton;

// The left pane in template mode: the display-layer choice "表示レイヤー：" ("すべて",
// "1" … "10"), the "更新" button that writes the template property sheet's pages into
// the template, and the property sheet itself below them.
//
// While the form is attached, the pages' fields set the new-object defaults of the
// mouse tools.
class CTemplateEditorFormView : public FormPane
{
    Q_OBJECT
public:
    explicit CTemplateEditorFormView(CORINOTEDoc& doc, QWidget* parent = nullptr);

    QComboBox* layerCombo() const { return mLayer; }
    QPushButton* applyButton() const { return mApply; }
    CLabelTemplatePropSheet* propertySheet() const { return mSheet; }
    // "未反映の変更があります", shown while the pages hold edits "更新" has not written.
    QLabel* pendingNote() const { return mPendingNote; }

    // "更新".
    void apply();

private:
    void layerChosen(int index);
    void documentChanged();
    void showPending(bool pending);

    QComboBox* mLayer;
    QPushButton* mApply;
    QLabel* mPendingNote;
    CLabelTemplatePropSheet* mSheet;
};
