#include "DialogPrompts.h"

#include "FolderMemory.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("DialogPrompts", text);
}

QString documentFilter()
{
    return tr("文書ファイル (*.ond)");
}

} // namespace

SessionPrompts::Answer DialogPrompts::askSaveChanges(const QString& question)
{
    switch (QMessageBox::warning(mParent, tr("ORINOTE"), question,
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Save;
    case QMessageBox::No:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

SessionPrompts::Answer DialogPrompts::askSaveChangesWithBook(const QString& question)
{
    QMessageBox box(QMessageBox::Warning, tr("ORINOTE"), question, QMessageBox::NoButton,
                    mParent);
    QPushButton* save = box.addButton(tr("保存(&S)"), QMessageBox::AcceptRole);
    QPushButton* book = box.addButton(tr("住所録だけ保存(&A)..."), QMessageBox::ActionRole);
    QPushButton* discard = box.addButton(tr("保存しない(&N)"), QMessageBox::DestructiveRole);
    box.addButton(tr("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == save)
        return Answer::Save;
    if (box.clickedButton() == book)
        return Answer::SaveAddressBook;
    if (box.clickedButton() == discard)
        return Answer::Discard;
    return Answer::Cancel;
}

QString DialogPrompts::chooseAddressBookSavePath(const QString& suggestion)
{
    QFileDialog dialog(mParent, tr("住所録データの保存"),
                       FolderMemory::start(mProfile, FolderMemory::documents()),
                       tr("住所録ファイル(*.ona)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("ona"));
    dialog.selectFile(FolderMemory::start(mProfile, FolderMemory::documents(), suggestion));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString DialogPrompts::chooseOpenPath()
{
    const QString path = QFileDialog::getOpenFileName(
        mParent, tr("開く"), FolderMemory::start(mProfile, FolderMemory::documents()),
        documentFilter());
    FolderMemory::remember(mProfile, FolderMemory::documents(), path);
    return path;
}

QString DialogPrompts::chooseSavePath(const QString& suggestion)
{
    QFileDialog dialog(mParent, tr("名前を付けて保存"),
                       FolderMemory::start(mProfile, FolderMemory::documents()), documentFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("ond"));
    dialog.selectFile(FolderMemory::start(mProfile, FolderMemory::documents(), suggestion));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = dialog.selectedFiles().constFirst();
    FolderMemory::remember(mProfile, FolderMemory::documents(), path);
    return path;
}

void DialogPrompts::showMessage(const QString& text)
{
    QMessageBox::warning(mParent, tr("ORINOTE"), text);
}

void DialogPrompts::showInformation(const QString& text)
{
    QMessageBox::information(mParent, tr("ORINOTE"), text);
}

bool DialogPrompts::askYesNo(const QString& question)
{
    return QMessageBox::question(mParent, tr("ORINOTE"), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

SessionPrompts::ChangedAnswer DialogPrompts::askChangedOnDisk(const QString& question)
{
    QMessageBox box(QMessageBox::Warning, tr("ORINOTE"), question, QMessageBox::NoButton, mParent);
    QPushButton* overwrite = box.addButton(tr("上書き"), QMessageBox::DestructiveRole);
    QPushButton* saveAs = box.addButton(tr("別名で保存"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(tr("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(saveAs);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == overwrite)
        return ChangedAnswer::Overwrite;
    if (box.clickedButton() == saveAs)
        return ChangedAnswer::SaveAs;
    return ChangedAnswer::Cancel;
}

bool DialogPrompts::askOkCancel(const QString& question)
{
    return QMessageBox::question(mParent, tr("ORINOTE"), question,
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}
