#pragma once

#include <QDate>
#include <QDialog>
#include <QHash>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QSpinBox;

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
// postal-code conversion of an input method is not offered: the address lines are typed.
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

    // "開く": asks for a picture file and puts its full path into 画像.
    void openPicture();

protected:
    // The picture file chooser; an empty string when cancelled.
    virtual QString choosePicture(const QString& current);

private:
    QWidget* addLine(int column);
    QComboBox* addCombo(int column, const QStringList& items, bool editable);
    void birthDateChanged(const QDate& date);
    // The date the controls give, invalid for "未設定".
    QDate birthShown() const;

    QDate mToday;
    QHash<int, QWidget*> mFields;
    QDateEdit* mBirthDate;
    QCheckBox* mNoBirthDate;
    QSpinBox* mAge;
    // The stored texts and what the controls showed of them when the record was opened.
    QString mStoredBirth;
    QDate mShownBirth;
    QString mStoredAge;
    int mShownAge = -1;
};
