#pragma once

#include <QString>

// What the document session asks the user. The main window answers with message boxes
// and file dialogs; tests give scripted answers, so no real dialog opens.
class SessionPrompts
{
public:
    enum class Answer
    {
        Save,
        Discard,
        Cancel,
        // Save the address book to its file (.ona) only.
        SaveAddressBook
    };

    virtual ~SessionPrompts() = default;

    // Asks the question (Yes / No / Cancel): whether to save the changes first.
    virtual Answer askSaveChanges(const QString& question) = 0;
    // The same question when the address book holds unsaved records: it may also be
    // answered with SaveAddressBook. As askSaveChanges unless the prompts offer that.
    virtual Answer askSaveChangesWithBook(const QString& question)
    {
        return askSaveChanges(question);
    }
    // A file name to save the address book under (.ona), starting from `suggestion`; empty
    // when the user cancels (or the prompts cannot ask).
    virtual QString chooseAddressBookSavePath(const QString& suggestion)
    {
        (void)suggestion;
        return QString();
    }
    // A document file to open; empty when the user cancels.
    virtual QString chooseOpenPath() = 0;
    // A file name to save the document under, starting from `suggestion`; empty when the
    // user cancels.
    virtual QString chooseSavePath(const QString& suggestion) = 0;
    // Shows a failure to the user.
    virtual void showMessage(const QString& text) = 0;
    // Shows a result that is no failure (the information icon); as showMessage unless the
    // prompts tell the two apart.
    virtual void showInformation(const QString& text) { showMessage(text); }
    // Asks a Yes / No question; true for Yes. Prompts that cannot ask answer No, which
    // leaves things as they are.
    virtual bool askYesNo(const QString& question)
    {
        (void)question;
        return false;
    }
    // What to do with a file that changed on disk since it was opened (another copy of
    // the program saved it): 上書き / 別名で保存 / キャンセル. Prompts that cannot ask
    // answer Cancel, which leaves the file and the document as they are.
    enum class ChangedAnswer
    {
        Overwrite,
        SaveAs,
        Cancel
    };
    virtual ChangedAnswer askChangedOnDisk(const QString& question)
    {
        (void)question;
        return ChangedAnswer::Cancel;
    }
    // Asks an OK / Cancel question; true for OK. Answered as askYesNo unless the prompts
    // show the two buttons themselves.
    virtual bool askOkCancel(const QString& question) { return askYesNo(question); }
};
