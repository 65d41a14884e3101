#pragma once

#include "addressbook/CardSeason.h"

#include <QDialog>

class AddressBook;
class QListWidget;

// "年賀状の準備": the rule, the counts and the names of the records that get a card this
// year; OK reserves them (done by the caller).
class CCardSeasonDialog : public QDialog
{
    Q_OBJECT
public:
    CCardSeasonDialog(const AddressBook& book, const CardSeason::Plan& plan, int thisYear,
                      QWidget* parent = nullptr);

    // Opens the dialog; true when OK closed it.
    static bool ask(QWidget* parent, const AddressBook& book, const CardSeason::Plan& plan,
                    int thisYear);

    QListWidget* list() const { return mList; }

private:
    QListWidget* mList;
};
