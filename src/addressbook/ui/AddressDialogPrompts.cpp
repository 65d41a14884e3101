#include "AddressDialogPrompts.h"

#include "widgets/FolderMemory.h"

#include "CAddressDataEditDialog.h"
#include "CCSVListDialog.h"
#include "CCardSeasonDialog.h"
#include "CSearchDataDialog.h"
#include "CSendRecordDialog.h"

#include <QDesktopServices>
#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

void AddressDialogPrompts::showMessage(const QString& text, Icon icon)
{
    QMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    mParent ? mParent->windowTitle() : QString(), text, QMessageBox::Ok, mParent);
    box.exec();
}

bool AddressDialogPrompts::editRecord(QStringList& values)
{
    return CAddressDataEditDialog::edit(mParent, values, today());
}

bool AddressDialogPrompts::editHistory(AddressHistory::Entry& entry)
{
    return CSendRecordDialog::edit(mParent, entry, today());
}

bool AddressDialogPrompts::askSearch(AddressSearch::Criteria& criteria)
{
    return CSearchDataDialog::ask(mParent, criteria, today());
}

bool AddressDialogPrompts::confirmCardPlan(const AddressBook& book, CardSeason::Plan& plan)
{
    return CCardSeasonDialog::ask(mParent, book, plan);
}

bool AddressDialogPrompts::printPages(const std::function<void(QPagedPaintDevice&)>& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    QPrintDialog dialog(&printer, mParent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    paint(printer);
    return true;
}

QString AddressDialogPrompts::chooseOpenPath(const QString& filter)
{
    const QString path = QFileDialog::getOpenFileName(
        mParent, QCoreApplication::translate("AddressDialogPrompts", "ファイルを開く"), FolderMemory::start(mProfile, FolderMemory::addressFiles()),
        filter);
    FolderMemory::remember(mProfile, FolderMemory::addressFiles(), path);
    return path;
}

QString AddressDialogPrompts::chooseSavePath(const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(mParent, QCoreApplication::translate("AddressDialogPrompts", "名前を付けて保存"),
                       FolderMemory::start(mProfile, FolderMemory::addressFiles()), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix); // the overwrite question stays on
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = dialog.selectedFiles().first();
    FolderMemory::remember(mProfile, FolderMemory::addressFiles(), path);
    return path;
}

void AddressDialogPrompts::openLink(const QString& text)
{
    // AddressBookOperations::linkText made the text a whole http, https or mailto URL.
    QDesktopServices::openUrl(QUrl(text));
}

bool AddressDialogPrompts::confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, mParent ? mParent->windowTitle() : QString(), text,
                    QMessageBox::Yes | QMessageBox::No, mParent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

int AddressDialogPrompts::chooseItem(const QString& title, const QString& label,
                                     const QStringList& items)
{
    bool ok = false;
    const QString item = QInputDialog::getItem(mParent, title, label, items, 0, false, &ok);
    return ok ? int(items.indexOf(item)) : -1;
}

bool AddressDialogPrompts::importCsv(AddressBook& book, const QStringList& lines)
{
    return CCSVListDialog::run(mParent, book, lines);
}
