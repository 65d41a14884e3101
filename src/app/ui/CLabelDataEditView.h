#pragma once

#include "FormPane.h"

#include <functional>
#include <memory>

class FontTextMeasurer;
class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class RegionListModel;
class RegionPreviewBox;

// The left pane in data mode: the sender of the pages, the display-layer choice, the text and layer of the chosen
// region with "変更" and "クリア", the list of every data-mode text region, and a preview
// of the chosen region's background. The list follows the document: it is rebuilt on
// every change and shows the document's selected region.
class CLabelDataEditView : public FormPane
{
    Q_OBJECT
public:
    explicit CLabelDataEditView(CORINOTEDoc& doc, QWidget* parent = nullptr);
    ~CLabelDataEditView() override;

    // Where the form's refusals go; a warning message box unless set.
    void setMessageHandler(std::function<void(const QString&)> handler);
    // Who answers the form's OK/Cancel questions (true for OK); a message box unless set.
    void setQuestionHandler(std::function<bool(const QString&)> handler);

    // Command 184, sent by a database program: the strings it left in "KLTTmp.dat"
    // replace the regions of the current sheet, after the question when the pages hold
    // regions.
    void receiveDatabaseData();

    // "変更" and "クリア".
    void applyText();
    void clearText();
    // Chooses a row of the list (−1 for none).
    void chooseRow(int row);
    int chosenRow() const;

    // The sender box: record `index` of the 差出人 group becomes the sender of every page.
    void chooseSender(int index);

    QComboBox* senderCombo() const { return mSender; }
    QComboBox* layerCombo() const { return mDisplayedLayer; }
    QPlainTextEdit* textEdit() const { return mText; }
    QSpinBox* layerEdit() const { return mLayer; }
    QPushButton* applyButton() const { return mApply; }
    QPushButton* clearButton() const { return mClear; }
    QTableView* regionList() const { return mList; }
    RegionListModel* regionModel() const { return mModel; }
    RegionPreviewBox* previewBox() const { return mPreview; }

private:
    void documentChanged();
    void rowChosen();
    void showMessage(const QString& text);
    void resetEdits();
    void showSenders();

    QComboBox* mSender;
    QComboBox* mDisplayedLayer;
    QPlainTextEdit* mText;
    QSpinBox* mLayer;
    QPushButton* mApply;
    QPushButton* mClear;
    QTableView* mList;
    RegionListModel* mModel;
    RegionPreviewBox* mPreview;
    std::unique_ptr<FontTextMeasurer> mMeasurer;
    std::function<void(const QString&)> mMessageHandler;
    std::function<bool(const QString&)> mQuestionHandler;
    bool mFollowingDocument = false;
};
