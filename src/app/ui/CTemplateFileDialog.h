#pragma once

#include "app/TemplatePreview.h"

#include <QFileDialog>

class Profile;
class QPlainTextEdit;
class TemplatePreviewBox;

// "テンプレートファイルを開く": a file dialog for sheet template files (*.ont) with a preview
// of the file under the cursor: a miniature of its paper, sheets and text regions beside
// the file list, and its paper size and counts in a read-only text below. A file that is
// not a readable template shows the bare headings and an empty grey box.
class CTemplateFileDialog : public QFileDialog
{
    Q_OBJECT
public:
    explicit CTemplateFileDialog(QWidget* parent = nullptr, const QString& start = QString());

    // Sizes the dialog for a screen of the given available size: as wide as the folder's
    // path, the file names and their columns beside the preview need, within the screen
    // (a 1366 × 768 laptop included).
    void fitTo(const QSize& available);

    // Reads the file and shows its preview (what moving through the list does).
    void showPreview(const QString& path);

    // The text shown below the list.
    QString previewText() const;
    const TemplatePreview& preview() const { return mPreview; }
    TemplatePreviewBox* previewBox() const { return mBox; }

    // Asks for a template file, starting at `start` (a file or folder); empty when the
    // user cancels. Without a start the dialog opens where the user last chose a
    // template, or on the bundled catalogue the first time (TemplateCatalogue).
    static QString getOpenFileName(QWidget* parent, const QString& start = QString());

    // The settings profile that keeps the folder of the last chosen template between
    // runs; the program sets it at start and clears it before the profile goes. Without
    // one the dialog still opens on the catalogue, and remembers nothing.
    static void setFolderProfile(Profile* profile);

private:
    TemplatePreview mPreview;
    TemplatePreviewBox* mBox;
    QPlainTextEdit* mText;
};
