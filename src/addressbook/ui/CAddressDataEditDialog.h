#pragma once

#include "widgets/NumberFields.h"

#include <QDate>
#include <QDialog>
#include <QHash>
#include <QStringList>

class PostalTable;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QSpinBox;
struct PostalAddress;

// The record editor "住所録データの追加・変更": one field per record column, the entry
// number read-only, combo boxes for the honorifics (offering "様", "殿", "御中", "行"),
// 関係 and 性別, a date picker for the birth date that recomputes the age, the age as a
// number from 0 to 120, and "開く" to choose the picture file.
//
// It edits a list of record values (one per record column, as AddressBookOperations hands
// them out). The birth date is the picker's date "YYYY/MM/DD", or empty when "未設定" is
// checked (a record without a readable date opens that way); the age is the spin box's
// number. A birth date or age the user did not change comes back exactly as stored. 性別
// offers an empty entry besides 男性 and 女性 and keeps any other stored value. The
// postal-code conversion of an input method is not offered; instead the program's postal
// code table fills the address:
// - typing a complete code into 郵便番号 (half- or full-width digits, with or without the
//   hyphen) offers its address for 住所1: one address goes into an empty 住所1 (a filled
//   one is replaced only after a question), several are shown to pick from. The same for
//   会社郵便番号 and 会社住所1. Without the table a line under the form says so.
// - "住所から郵便番号" fills the code from the address line (several codes: a list).
// - OK stores both codes in the form "NNN-NNNN" when they can be read as codes, else as
//   typed.
class CAddressDataEditDialog : public QDialog
{
    Q_OBJECT
public:
    // `today` is the day ages are counted to and the picker's day when the record has no
    // readable birth date.
    explicit CAddressDataEditDialog(const QDate& today, QWidget* parent = nullptr);
    ~CAddressDataEditDialog() override;

    // Opens the editor on the values; true with the values edited on OK.
    static bool edit(QWidget* parent, QStringList& values, const QDate& today);

    void setValues(const QStringList& values);
    QStringList values() const;

    // The widget editing a record column (a QLineEdit or a QComboBox), or null; and the
    // picker and the age box.
    QWidget* fieldWidget(int column) const { return mFields.value(column); }
    QDateEdit* birthDateEdit() const { return mBirthDate; }
    QCheckBox* noBirthDateBox() const { return mNoBirthDate; }
    QSpinBox* ageBox() const { return mAge; }

    // Refuses a number typed outside its field's range, and stays open.
    void accept() override;

    // "開く": asks for a picture file and puts its full path into 画像.
    void openPicture();

    // The table the lookups use; the program's own when none is set (tests set theirs).
    void setPostalTable(const PostalTable* table) { mPostalTable = table; }
    // Offers the address of the code in the code column (C::PostalCode or
    // C::CompanyPostalCode) for its address line, as typing the code's last digit does.
    void offerAddress(int codeColumn);
    // "住所から郵便番号": fills the code column from its address line.
    void codeFromAddress(int codeColumn);
    // The line under the form that says why nothing was filled.
    QLabel* postalStatus() const { return mPostalStatus; }

protected:
    // The picture file chooser; an empty string when cancelled.
    virtual QString choosePicture(const QString& current);
    // The list of addresses or codes to pick from; the index picked, or -1.
    virtual int chooseAddress(const QString& prompt, const QList<PostalAddress>& addresses);
    // A yes/no question; true for yes.
    virtual bool confirm(const QString& question);
    // A message box.
    virtual void tell(const QString& message);

private:
    QWidget* addLine(int column);
    QComboBox* addCombo(int column, const QStringList& items, bool editable);
    void birthDateChanged(const QDate& date);
    // The date the controls give, invalid for "未設定".
    QDate birthShown() const;
    // Why addresses cannot be looked up: no table.
    QString postalUnavailable() const;
    // Index into the addresses: 0 for the only one, else the one the user picks; -1 when
    // the choice is cancelled.
    int pickAddress(const QString& prompt, const QList<PostalAddress>& addresses);
    const PostalTable& postalTable() const;
    void postalCodeEdited(int codeColumn);
    QLineEdit* line(int column) const;

    QDate mToday;
    QHash<int, QWidget*> mFields;
    QDateEdit* mBirthDate;
    QCheckBox* mNoBirthDate;
    QSpinBox* mAge;
    NumberFields mNumbers;
    QLabel* mPostalStatus;
    const PostalTable* mPostalTable = nullptr;
    // The code last offered per code column, so that editing elsewhere in the code does
    // not ask again.
    QHash<int, QString> mOffered;
    // The stored texts and what the controls showed of them when the record was opened.
    QString mStoredBirth;
    QDate mShownBirth;
    QString mStoredAge;
    int mShownAge = -1;
};
