#pragma once

#include "prompts/SessionPrompts.h"

class QWidget;

// The document session's questions as message boxes and file dialogs over the main
// window.
class DialogPrompts : public SessionPrompts
{
public:
    explicit DialogPrompts(QWidget* parent) : mParent(parent) {}

    Answer askSaveChanges(const QString& question) override;
    QString chooseOpenPath() override;
    QString chooseSavePath(const QString& suggestion) override;
    void showMessage(const QString& text) override;
    void showInformation(const QString& text) override;
    bool askYesNo(const QString& question) override;
    bool askOkCancel(const QString& question) override;

private:
    QWidget* mParent;
};
