#pragma once

#include "prompts/SessionPrompts.h"

class QWidget;

// The document session's questions as message boxes and file dialogs over the main
// window.
class Profile;

class DialogPrompts : public SessionPrompts
{
public:
    // With a profile the document dialogs open in the folder a document was last chosen in.
    explicit DialogPrompts(QWidget* parent, Profile* profile = nullptr)
        : mParent(parent), mProfile(profile)
    {
    }

    Answer askSaveChanges(const QString& question) override;
    // Save / 住所録だけ保存 / Don't save / Cancel.
    Answer askSaveChangesWithBook(const QString& question) override;
    QString chooseAddressBookSavePath(const QString& suggestion) override;
    QString chooseOpenPath() override;
    QString chooseSavePath(const QString& suggestion) override;
    void showMessage(const QString& text) override;
    void showInformation(const QString& text) override;
    bool askYesNo(const QString& question) override;
    bool askOkCancel(const QString& question) override;
    ChangedAnswer askChangedOnDisk(const QString& question) override;

private:
    QWidget* mParent;
    Profile* mProfile;
};
