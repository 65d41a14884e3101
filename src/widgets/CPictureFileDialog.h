#pragma once

#include <QFileDialog>

#include <functional>

class PicturePreview;

// "画像ファイルを開く": the file dialog of every picture chooser, with a preview of the
// picture under the cursor below the list.
class CPictureFileDialog : public QFileDialog
{
    Q_OBJECT
public:
    CPictureFileDialog(const QString& filter, const QString& current, QWidget* parent = nullptr);

    // The pictures of the background dialogs and of the address book.
    static QString pictureFilter();
    // Runs the dialog; an empty string when it is cancelled.
    static QString choose(QWidget* parent, const QString& current,
                          const QString& filter = pictureFilter());

    // How the refusal of a file that is no picture is shown (a message box unless set).
    std::function<void(const QString&)> showMessage;
    // A file that cannot be read as a picture is refused with "画像ファイルを読み込めま
    // せん。" while the dialog stays open, so nothing is taken and no step is spent on it.
    void accept() override;

private:
    PicturePreview* mPreview;
};
