#pragma once

#include <QObject>
#include <QString>

class CMainFrame;

// The main window's own commands: the file commands of the document session, the
// template file commands, undo and redo, 環境設定, 自動処理設定 and the About box.
// Messages go through the window's prompts.
class AppCommands : public QObject
{
    Q_OBJECT
public:
    // Connects itself to the window's command actions.
    explicit AppCommands(CMainFrame& frame);

    // Command 274: chooses a template in the template file dialog and applies it.
    void openTemplate();
    // Applies the template file to the document: the pages rebuilt from it and the
    // records merged again. Returns whether it was read (a file that ended early is
    // used as far as it was read, with a message).
    bool applyTemplate(const QString& path);
    // Command 273: asks for a file name and writes the template.
    void saveTemplate();
    bool saveTemplateTo(const QString& path);

    void undo();
    void redo();
    void environmentSettings();
    void autoReplaceSettings();
    void about();
    // The about box's text: the version, what the program does, its licence and its site.
    static QString aboutText();

private:
    void rememberFolder(const QString& path);

    CMainFrame& mFrame;
    // The folder the template dialogs start in: where the last template was opened or
    // saved.
    QString mTemplateFolder;
};
