#pragma once

#include "addressbook/AddressBookPrompts.h"

class Profile;
class QWidget;

// The address book window's questions as its dialogs over the window: the record editor,
// the history and search dialogs, message boxes, file choosers, the CSV import window, and
// the desktop's handlers for mail and web links.
class AddressDialogPrompts : public AddressBookPrompts
{
public:
    // With a profile the file choosers open in the folder an address file was last chosen
    // in.
    explicit AddressDialogPrompts(QWidget* parent, Profile* profile = nullptr)
        : mParent(parent), mProfile(profile)
    {
    }

    void showMessage(const QString& text, Icon icon) override;
    bool editRecord(QStringList& values) override;
    bool editHistory(AddressHistory::Entry& entry) override;
    bool askSearch(AddressSearch::Criteria& criteria) override;
    bool confirmCardPlan(const AddressBook& book, CardSeason::Plan& plan) override;
    QString chooseOpenPath(const QString& filter) override;
    QString chooseSavePath(const QString& filter, const QString& defaultSuffix) override;
    void openLink(const QString& text) override;
    bool importCsv(AddressBook& book, const QStringList& lines) override;
    bool confirm(const QString& text) override;
    int chooseItem(const QString& title, const QString& label, const QStringList& items) override;
    bool printPages(const std::function<void(QPagedPaintDevice&)>& paint) override;

private:
    QWidget* mParent;
    Profile* mProfile;
};
