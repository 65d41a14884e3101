#include "CPictureFileDialog.h"

#include "edit/PictureCheck.h"

#include "PicturePreview.h"

#include "render/PictureFile.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>

CPictureFileDialog::CPictureFileDialog(const QString& filter, const QString& current,
                                       QWidget* parent)
    : QFileDialog(parent, tr("画像ファイルを開く"))
{
    setObjectName(QStringLiteral("PictureFileDialog"));
    showMessage = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
    // The preview needs the dialog's own widgets.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilter(filter);
    if (!current.isEmpty()) {
        const QFileInfo info(current);
        setDirectory(info.absolutePath());
        selectFile(info.fileName());
    }
    mPreview = new PicturePreview(this);
    mPreview->setMinimumHeight(140);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(mPreview, grid->rowCount(), 0, 1, grid->columnCount());
    connect(this, &QFileDialog::currentChanged, mPreview, [this](const QString& path) {
        mPreview->setPicture(QFileInfo(path).isFile() ? path : QString());
    });
    if (!current.isEmpty())
        mPreview->setPicture(current);
}

void CPictureFileDialog::accept()
{
    const QString path = selectedFiles().value(0);
    // Folders are opened by the dialog itself.
    if (QFileInfo(path).isFile()) {
        if (const QString refusal = PictureCheck::check(path); !refusal.isEmpty()) {
            showMessage(refusal);
            return;
        }
    }
    QFileDialog::accept();
}

QString CPictureFileDialog::pictureFilter()
{
    return tr("画像ファイル (*.jpg *.jpeg *.bmp *.png *.tif *.tiff *.gif)");
}

QString CPictureFileDialog::choose(QWidget* parent, const QString& current, const QString& filter)
{
    CPictureFileDialog dialog(filter, current, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}
