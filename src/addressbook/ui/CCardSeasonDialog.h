#pragma once

#include "addressbook/CardSeason.h"
#include "widgets/NumberFields.h"

#include <QDialog>

class AddressBook;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

// "年賀状の準備": the New Year to prepare (the coming one at first), the rule with its
// dates, the counts and the names of the records that get a card; changing the year plans
// again. OK reserves the plan shown (done by the caller).
class CCardSeasonDialog : public QDialog
{
    Q_OBJECT
public:
    CCardSeasonDialog(const AddressBook& book, const CardSeason::Plan& plan,
                      QWidget* parent = nullptr);

    // Opens the dialog; true with the plan of the chosen year when OK closed it.
    static bool ask(QWidget* parent, const AddressBook& book, CardSeason::Plan& plan);

    const CardSeason::Plan& plan() const { return mPlan; }
    QSpinBox* yearBox() const { return mYear; }
    QLabel* ruleLabel() const { return mRule; }
    QListWidget* list() const { return mList; }

public slots:
    void accept() override;

private:
    void show(const CardSeason::Plan& plan);

    const AddressBook& mBook;
    CardSeason::Plan mPlan;
    QSpinBox* mYear;
    QLabel* mRule;
    QLabel* mCounts;
    QListWidget* mList;
    QPushButton* mOk = nullptr;
    NumberFields mNumbers;
};
