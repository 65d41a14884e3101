#pragma once

#include <QFileDialog>

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

private:
    PicturePreview* mPreview;
};
