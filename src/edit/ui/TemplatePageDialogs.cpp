#include "TemplatePageDialogs.h"

#include "widgets/FolderMemory.h"

#include "render/RenderSupport.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("TemplatePageDialogs", text);
}

} // namespace

void TemplatePageDialogs::showMessage(const QString& text)
{
    QMessageBox::warning(mParent, tr("ORINOTE"), text);
}

bool TemplatePageDialogs::confirm(const QString& question)
{
    return QMessageBox::question(mParent, tr("ORINOTE"), question,
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool TemplatePageDialogs::askYesNo(const QString& question)
{
    return QMessageBox::question(mParent, tr("ORINOTE"), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

TemplatePagePrompts::Answer TemplatePageDialogs::askYesNoCancel(const QString& question)
{
    switch (QMessageBox::question(mParent, tr("ORINOTE"), question,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::optional<qint32> TemplatePageDialogs::chooseColor(qint32 current)
{
    const QColor c = QColorDialog::getColor(RenderSupport::color(current), mParent);
    if (!c.isValid())
        return std::nullopt;
    return qint32(c.red() | (c.green() << 8) | (c.blue() << 16));
}

QString TemplatePageDialogs::choosePicture()
{
    const QString path = QFileDialog::getOpenFileName(
        mParent, tr("画像ファイルを開く"), FolderMemory::start(mProfile, FolderMemory::pictures()),
        tr("画像ファイル(*.jpg *.bmp *.png *.tif)"));
    FolderMemory::remember(mProfile, FolderMemory::pictures(), path);
    return path;
}
