#pragma once

#include "AddressHistory.h"
#include "AddressSearch.h"
#include "CardSeason.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

class AddressBook;
class QPagedPaintDevice;

// What the address book window asks the user and the desktop. The window answers with its
// dialogs, message boxes, file choosers and the desktop's mail program and browser; tests
// give scripted answers, so no real dialog opens.
class AddressBookPrompts
{
public:
    enum class Icon
    {
        None,   // the window's own refusals: a plain message box
        Warning // failures of files and CSV exchange: exclamation icon
    };

    virtual ~AddressBookPrompts() = default;

    virtual void showMessage(const QString& text, Icon icon) = 0;
    // The record editor on one value per record column; true with the values edited on OK.
    virtual bool editRecord(QStringList& values) = 0;
    // The history entry dialog; true with the entry edited on OK.
    virtual bool editHistory(AddressHistory::Entry& entry) = 0;
    // The search dialog; true with complete criteria when the user searches.
    virtual bool askSearch(AddressSearch::Criteria& criteria) = 0;
    // A file to read or to write (asking before overwriting), with a filter such as
    // "CSVファイル(*.csv)"; empty when the user cancels.
    virtual QString chooseOpenPath(const QString& filter) = 0;
    virtual QString chooseSavePath(const QString& filter, const QString& defaultSuffix) = 0;
    // Hands a "mailto:", "http:" or "https:" URL to the desktop; a failure is not reported.
    virtual void openLink(const QString& text) = 0;
    // The CSV import window over the book and the file's lines; whether the book changed.
    virtual bool importCsv(AddressBook& book, const QStringList& lines) = 0;
    // A question to be answered yes or no; true for yes.
    virtual bool confirm(const QString& text) = 0;
    // Shows the New Year's card plan, where the user may choose another New Year; true
    // with the plan to reserve.
    virtual bool confirmCardPlan(const AddressBook& book, CardSeason::Plan& plan)
    {
        Q_UNUSED(book);
        Q_UNUSED(plan);
        return false;
    }
    // The print dialog; on OK the pages are painted onto the chosen printer (which prints
    // the full page). False when the user cancels.
    virtual bool printPages(const std::function<void(QPagedPaintDevice&)>& paint)
    {
        Q_UNUSED(paint);
        return false;
    }
    // One of the items, chosen in a list under the label; -1 when the user cancels.
    virtual int chooseItem(const QString& title, const QString& label, const QStringList& items)
    {
        Q_UNUSED(title);
        Q_UNUSED(label);
        Q_UNUSED(items);
        return -1;
    }
    // The day ages are counted to and pickers start on.
    virtual QDate today() const { return QDate::currentDate(); }
};
