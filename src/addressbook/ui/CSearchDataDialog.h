#pragma once

#include "addressbook/AddressSearch.h"
#include "widgets/NumberFields.h"

#include <QDate>
#include <QDialog>

#include <array>

class CHistoryConditionRow;
class QButtonGroup;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// The search dialog "検索": AND / OR, five lines of a field selector and a keyword, and
// the conditions 関係, 性別, 生年月日, 年齢, "印刷予約：" and up to three 送受信履歴 lines
// (subject, a year or a date range, あり/なし), each a condition of its own. AND/OR is a
// button group of its own (AND at first). "検索" checks the input
// (AddressSearch::validate) and stays open with the message when it is incomplete; the
// search itself is run by the caller with criteria().
class CSearchDataDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int HistoryRowCount = 3;

    explicit CSearchDataDialog(const QDate& today, QWidget* parent = nullptr);

    // Opens the dialog; true with the criteria gathered when "検索" closed it.
    static bool ask(QWidget* parent, AddressSearch::Criteria& criteria, const QDate& today);

    AddressSearch::Criteria criteria() const;

    QRadioButton* andButton() const { return mAnd; }
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
    CHistoryConditionRow* historyRow(int row) const { return mHistory.at(size_t(row)); }

    // "検索": closes with Accepted when the input is complete.
    void search();
    // Refuses a number typed outside its field's range, and stays open.
    void accept() override;

protected:
    // Shows a refusal (exclamation icon).
    virtual void showMessage(const QString& text);

private:
    QButtonGroup* mCombination;
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
    std::array<CHistoryConditionRow*, HistoryRowCount> mHistory{};
    NumberFields mNumbers;
};
