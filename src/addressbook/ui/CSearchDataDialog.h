#pragma once

#include "addressbook/AddressSearch.h"

#include <QDate>
#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// The search dialog "検索": AND / OR, five lines of a field selector and a keyword, and
// the conditions 関係, 性別, 生年月日, 年齢, "印刷予約：" and 送受信履歴 (subject, a
// year or a date range, あり/なし). "検索" checks the input
// (AddressSearch::validate) and stays open with the message when it is incomplete; the
// search itself is run by the caller with criteria().
class CSearchDataDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CSearchDataDialog(const QDate& today, QWidget* parent = nullptr);

    // Opens the dialog; true with the criteria gathered when "検索" closed it.
    static bool ask(QWidget* parent, AddressSearch::Criteria& criteria, const QDate& today);

    AddressSearch::Criteria criteria() const;

    QRadioButton* orButton() const { return mOr; }
    QComboBox* fieldBox(int line) const { return mFields.at(size_t(line)); }
    QLineEdit* keywordEdit(int line) const { return mKeywords.at(size_t(line)); }
    QComboBox* relationBox() const { return mRelation; }
    QComboBox* sexBox() const { return mSex; }
    QDateEdit* birthDateEdit() const { return mBirthDate; }
    QComboBox* birthConditionBox() const { return mBirthCondition; }
    QSpinBox* ageBox() const { return mAge; }
    QComboBox* ageConditionBox() const { return mAgeCondition; }
    QComboBox* reservationBox() const { return mReservation; }
    QCheckBox* historyCheck() const { return mHistory; }
    QComboBox* historySubjectBox() const { return mHistorySubject; }
    QRadioButton* historyRangeButton() const { return mHistoryRange; }
    QSpinBox* historyYearBox() const { return mHistoryYear; }
    QDateEdit* historyFromEdit() const { return mHistoryFrom; }
    QDateEdit* historyToEdit() const { return mHistoryTo; }
    QComboBox* historyPresenceBox() const { return mHistoryPresence; }

    // "検索": closes with Accepted when the input is complete.
    void search();

protected:
    // Shows a refusal (exclamation icon).
    virtual void showMessage(const QString& text);

private:
    QRadioButton* mAnd;
    QRadioButton* mOr;
    std::array<QComboBox*, AddressSearch::KeywordCount> mFields{};
    std::array<QLineEdit*, AddressSearch::KeywordCount> mKeywords{};
    QComboBox* mRelation;
    QComboBox* mSex;
    QDateEdit* mBirthDate;
    QComboBox* mBirthCondition;
    QSpinBox* mAge;
    QComboBox* mAgeCondition;
    QComboBox* mReservation;
    QCheckBox* mHistory;
    QComboBox* mHistorySubject;
    QRadioButton* mHistoryYearly;
    QRadioButton* mHistoryRange;
    QSpinBox* mHistoryYear;
    QDateEdit* mHistoryFrom;
    QDateEdit* mHistoryTo;
    QComboBox* mHistoryPresence;
};
