#pragma once

#include "picprint/PictureChooser.h"

#include <QDialog>

#include <functional>
#include <optional>

class ChosenPicturesModel;
class PicturePreview;
class QLineEdit;
class QListView;
class QStringListModel;
class QTableView;

// "画像印刷": the picture chooser of the picture printing tool. The current folder's
// subfolders and pictures on the left with a grey preview of the one selected, the chosen
// pictures (in order, the same file as often as it is added) on the right. The lists and
// what the buttons do to them are PictureChooser's; the dialog shows them.
class CPrintPictureFileDialog : public QDialog
{
    Q_OBJECT
public:
    CPrintPictureFileDialog(const QString& folder, QWidget* parent = nullptr);

    const PictureChooser& chooser() const { return mChooser; }
    QString folder() const { return mChooser.folder(); }
    QList<PicturePlacement::Picture> pictures() const { return mChooser.chosen(); }

    // Who shows "削除するデータを選択してください。" (a warning box unless replaced).
    void setMessageHandler(std::function<void(const QString&)> handler)
    {
        mMessage = std::move(handler);
    }

    // The buttons' actions, also for tests.
    void browse();
    void enterSelected();
    void selectAll();
    void selectNone();
    void addSelected();
    void removeSelected();
    void clearChosen();

    QListView* folderList() const { return mFolderList; }
    QTableView* chosenList() const { return mChosenList; }
    PicturePreview* preview() const { return mPreview; }

private:
    void showFolder();
    void showChosen();
    void updatePreview();
    QList<int> selectedFolderRows() const;

    PictureChooser mChooser;
    QLineEdit* mFolderField;
    QListView* mFolderList;
    QStringListModel* mFolderModel;
    QTableView* mChosenList;
    ChosenPicturesModel* mChosenModel;
    PicturePreview* mPreview;
    std::function<void(const QString&)> mMessage;
};
