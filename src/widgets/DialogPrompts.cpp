#include "DialogPrompts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("DialogPrompts", text);
}

QString documentFilter()
{
    return tr("ORINOTE Files (*.ond)");
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

QString DialogPrompts::chooseOpenPath()
{
    return QFileDialog::getOpenFileName(mParent, tr("開く"), QString(), documentFilter());
}

QString DialogPrompts::chooseSavePath(const QString& suggestion)
{
    QFileDialog dialog(mParent, tr("名前を付けて保存"), QString(), documentFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("ond"));
    dialog.selectFile(suggestion);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
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

bool DialogPrompts::askOkCancel(const QString& question)
{
    return QMessageBox::question(mParent, tr("ORINOTE"), question,
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}
