#pragma once

#include "TemplatePagePrompts.h"

class QWidget;

// The template pages' questions as message boxes and the system dialogs.
class TemplatePageDialogs : public TemplatePagePrompts
{
public:
    explicit TemplatePageDialogs(QWidget* parent) : mParent(parent) {}

    void showMessage(const QString& text) override;
    bool confirm(const QString& question) override;
    bool askYesNo(const QString& question) override;
    Answer askYesNoCancel(const QString& question) override;
    std::optional<qint32> chooseColor(qint32 current) override;
    QString choosePicture() override;

private:
    QWidget* mParent;
};
