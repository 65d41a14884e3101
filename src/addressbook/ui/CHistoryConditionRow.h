#pragma once

#include "addressbook/AddressSearch.h"

#include <QDate>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QRadioButton;
class QSpinBox;

// One 送受信履歴 line of the search dialog: on/off, a subject from the list or typed
// (empty: any), あり/なし, and a year or a date range (dates shown as 2025/01/01). Its two
// radio buttons form their own group, so they never clear the dialog's AND/OR.
class CHistoryConditionRow : public QWidget
{
    Q_OBJECT
public:
    // The years a yearly condition may name.
    static constexpr int FirstYear = 1900;
    static constexpr int LastYear = 2200;

    // The year defaults to the one before `today`, the range to that whole year.
    CHistoryConditionRow(const QDate& today, QWidget* parent = nullptr);

    bool isUsed() const;
    AddressSearch::HistoryCondition condition() const;
    // The widgets in tab order.
    QList<QWidget*> tabChain() const;

    QCheckBox* check() const { return mUse; }
    QComboBox* subjectBox() const { return mSubject; }
    QComboBox* presenceBox() const { return mPresence; }
    QRadioButton* yearButton() const { return mYearly; }
    QRadioButton* rangeButton() const { return mRange; }
    QSpinBox* yearBox() const { return mYear; }
    QDateEdit* fromEdit() const { return mFrom; }
    QDateEdit* toEdit() const { return mTo; }

private:
    void enable();

    QCheckBox* mUse;
    QComboBox* mSubject;
    QComboBox* mPresence;
    QButtonGroup* mPeriod;
    QRadioButton* mYearly;
    QRadioButton* mRange;
    QSpinBox* mYear;
    QDateEdit* mFrom;
    QDateEdit* mTo;
};
