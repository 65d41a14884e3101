#pragma once

#include "TemplatePagePrompts.h"

class Profile;
class QWidget;

// The template pages' questions as message boxes and the system dialogs.
class TemplatePageDialogs : public TemplatePagePrompts
{
public:
    // With a profile the picture chooser opens in the folder a picture was last chosen in.
    explicit TemplatePageDialogs(QWidget* parent, Profile* profile = nullptr)
        : mParent(parent), mProfile(profile)
    {
    }

    void showMessage(const QString& text) override;
    bool confirm(const QString& question) override;
    bool askYesNo(const QString& question) override;
    Answer askYesNoCancel(const QString& question) override;
    std::optional<qint32> chooseColor(qint32 current) override;
    QString choosePicture() override;

private:
    QWidget* mParent;
    Profile* mProfile;
};
