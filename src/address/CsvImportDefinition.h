#pragma once

#include <QString>
#include <QStringList>

// The import window's definition text: a comma-separated list of items "number=code",
// number being a 1-based column of the CSV file and code one of the field codes below
// ("1=SN,2=FN,5=P"). It is read as typed, without validation; anything that does not
// name a usable column simply gives empty text.
class CsvImportDefinition
{
public:
    enum Code
    {
        Name,           // N  氏名 (used when SN and FN give no text)
        Surname,        // SN
        GivenName,      // FN
        Reading,        // H  フリガナ (used when SH and FH give no text)
        ReadingSurname, // SH
        ReadingGiven,   // FH
        PostalCode,     // P  郵便番号
        Address,        // A  住所1
        Phone,          // T  電話番号1
        Mobile,         // K  携帯電話1
        Fax,            // X  FAX
        Mail,           // E  E-メール1
        MobileMail,     // M  携帯電話メール1
        Url,            // U  URL
        BirthDate,      // B  生年月日
        Age,            // O  年齢
        Company,        // C  会社
        CompanyAddress, // J  会社住所1
        Department,     // D  部署
        Position,       // Y  役職
        CompanyPhone,   // L  会社電話1
        Note1,          // R1 備考1
        Note2,          // R2 備考2
        CodeCount
    };

    // The letters of a code ("SN").
    static QString codeLetters(Code code);

    // The two fixed lines that explain the codes to the user.
    static QStringList explanationLines();

    // The text the window starts with for a file of `columns` columns: "1= ,2= ,…N= ,".
    static QString prefill(int columns);

    // The 1-based column a code names, 0 when it names none. The first occurrence of the
    // code's letters anywhere in the text counts (so "N" is also found inside "SN"); the
    // number is the text between the comma (or start of text) before the nearest "="
    // preceding the code and that "=", read like atoi. A code with no "=" before it, or
    // a number below 1, names no column.
    static int column(const QString& definition, Code code);

    // The record made from one row (the row's fields, 1-based columns in the definition):
    // all 51 text columns of a record with the entry number given, 氏名 and フリガナ
    // composed, 生年月日 as the row has it (empty without one), 年齢 "0" when the
    // definition has no usable O; every column without a code empty.
    static QStringList composeRecord(const QStringList& row, const QString& definition,
                                     const QString& entryNumber);

    // Surname and given name joined: given + " " + surname when the first character of
    // the given name (of the surname when the given name is empty) is an ASCII letter,
    // otherwise surname + "　" + given. *letterOrder tells which order was used.
    static QString composeName(const QString& surname, const QString& given,
                               bool* letterOrder = nullptr);
};
