#pragma once

#include "addressbook/AddressHistory.h"

#include <QDate>
#include <QDialog>

class QComboBox;
class QDateEdit;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

// The history entry dialog "送受信履歴の追加・変更": a date picker, the subject (a combo
// box offering the fixed subjects and taking free text) and the note "備考：".
class CSendRecordDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CSendRecordDialog(const QDate& today, QWidget* parent = nullptr);

    // Opens the dialog on the entry (an empty date text puts the picker on today); true
    // with the entry edited on OK, its date written "YYYY/MM/DD".
    static bool edit(QWidget* parent, AddressHistory::Entry& entry, const QDate& today);
    // After a print: "印刷した宛先に送受信履歴を追加しますか？" with the number of records
    // over the same fields and はい / いいえ. True with the entry edited on はい.
    static bool askAfterPrint(QWidget* parent, int records, AddressHistory::Entry& entry,
                              const QDate& today);

    // Turns the dialog into the question after a print (the text above the fields).
    void setQuestion(const QString& question);

    void setEntry(const AddressHistory::Entry& entry);
    AddressHistory::Entry entry() const;

    QDateEdit* dateEdit() const { return mDate; }
    QComboBox* subjectBox() const { return mSubject; }
    QLineEdit* noteEdit() const { return mNote; }
    QLabel* questionLabel() const { return mQuestion; }

private:
    QDate mToday;
    QDateEdit* mDate;
    QComboBox* mSubject;
    QLineEdit* mNote;
    QLabel* mQuestion;
    QDialogButtonBox* mButtons;
};
