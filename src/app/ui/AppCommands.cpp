#include "AppCommands.h"

#include "CMainFrame.h"
#include "CSoftwareSettingDialog.h"
#include "CTemplateFileDialog.h"
#include "CommandActions.h"
#include "widgets/CWaitDialog.h"

#include "app/CommandIds.h"
#include "app/DocumentSession.h"
#include "base/RegularFile.h"
#include "merge/ui/CAutoReplaceListDialog.h"
#include "model/CORINOTEDoc.h"
#include "model/TemplateFile.h"
#include "prompts/SessionPrompts.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

using namespace CommandIds;

AppCommands::AppCommands(CMainFrame& frame) : QObject(&frame), mFrame(frame)
{
    const auto on = [this](int command, auto handler) {
        connect(mFrame.actions().action(command), &QAction::triggered, this, handler);
    };
    DocumentSession* s = &mFrame.session();
    // From template mode these apply the template first; saving comes back to it.
    CMainFrame* f = &mFrame;
    on(FileNew, [f, s] { f->onPages([s] { s->newDocument(); }, false); });
    on(FileOpen, [f, s] { f->onPages([s] { s->open(); }, false); });
    on(FileSave, [f, s] { f->onPages([s] { s->save(); }, true); });
    on(FileSaveAs, [f, s] { f->onPages([s] { s->saveAs(); }, true); });
    for (int i = 0; i < RecentFileCount; ++i)
        on(RecentFile1 + i, [f, s, i] { f->onPages([s, i] { s->openRecent(i); }, false); });
    on(AppExit, [this] { mFrame.close(); });
    on(OpenTemplate, [this] { openTemplate(); });
    on(SaveTemplate, [this] { saveTemplate(); });
    on(EditUndo, [this] { undo(); });
    on(EditRedo, [this] { redo(); });
    on(EnvironmentSetup, [this] { environmentSettings(); });
    on(AutoReplaceSettings, [this] { autoReplaceSettings(); });
    on(About, [this] { about(); });
}

void AppCommands::rememberFolder(const QString& path)
{
    mTemplateFolder = QFileInfo(path).absolutePath();
}

void AppCommands::openTemplate()
{
    const QString path = CTemplateFileDialog::getOpenFileName(&mFrame, mTemplateFolder);
    if (!path.isEmpty())
        applyTemplate(path);
}

bool AppCommands::applyTemplate(const QString& path)
{
    CORINOTEDoc& doc = mFrame.document();
    // A file that cannot be opened changes nothing (apply() says so).
    QFile probe(path);
    const bool read = RegularFile::open(probe);
    probe.close();
    const QString message = TemplateFile::apply(doc, path);
    if (read) {
        rememberFolder(path);
        // The pages were built again from the template: the records go back onto them.
        if (mFrame.recordMerger()) {
            ProgressReporter* progress = mFrame.waitDialog();
            mFrame.recordMerger()(doc, progress);
            doc.updateAllViews();
        }
    }
    if (!message.isEmpty())
        mFrame.prompts().showMessage(message);
    return read;
}

void AppCommands::saveTemplate()
{
    QFileDialog dialog(&mFrame, tr("テンプレートデータの保存"), mTemplateFolder,
                       tr("シートテンプレートファイル(*.ont)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("ont"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    saveTemplateTo(dialog.selectedFiles().constFirst());
}

bool AppCommands::saveTemplateTo(const QString& path)
{
    const QString message = TemplateFile::save(mFrame.document(), path);
    if (!message.isEmpty()) {
        mFrame.prompts().showMessage(message);
        return false;
    }
    rememberFolder(path);
    // The template's name (status bar) is the file's now.
    mFrame.document().updateAllViews();
    return true;
}

void AppCommands::undo()
{
    mFrame.document().undo();
    mFrame.refreshCommands();
}

void AppCommands::redo()
{
    mFrame.document().redo();
    mFrame.refreshCommands();
}

void AppCommands::environmentSettings()
{
    CSoftwareSettingDialog::run(&mFrame, mFrame.document());
}

void AppCommands::autoReplaceSettings()
{
    CAutoReplaceListDialog::run(&mFrame, mFrame.document().autoReplaceData(),
                                CAutoReplaceData::filePath(mFrame.document().dataFolder));
}

QString AppCommands::aboutText()
{
    const QString site = QStringLiteral("https://orinote.github.io/");
    return tr("<p><b>ORINOTE</b> バージョン %1</p><p>住所録と宛名・ラベル印刷</p>"
              "<p>MIT ライセンスで配布しています。</p><p><a href=\"%2\">%2</a></p>")
        .arg(QCoreApplication::applicationVersion(), site);
}

void AppCommands::about()
{
    QMessageBox::about(&mFrame, tr("バージョン情報 ORINOTE"), aboutText());
}
