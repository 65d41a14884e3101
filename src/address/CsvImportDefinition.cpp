#include "CsvImportDefinition.h"

#include "CAddressData.h"

#include <QCoreApplication>

#include <climits>

namespace {

struct CodeInfo
{
    const char16_t* letters;
    int column; // the record column the code fills directly, or -1 when composed
};

const CodeInfo kCodes[CsvImportDefinition::CodeCount] = {
    {u"N", -1},
    {u"SN", -1},
    {u"FN", -1},
    {u"H", -1},
    {u"SH", -1},
    {u"FH", -1},
    {u"P", CAddressData::PostalCode},
    {u"A", CAddressData::Address1},
    {u"T", CAddressData::Phone1},
    {u"K", CAddressData::Mobile1},
    {u"X", CAddressData::Fax},
    {u"E", CAddressData::Mail1},
    {u"M", CAddressData::MobileMail1},
    {u"U", CAddressData::Url},
    {u"B", -1},
    {u"O", -1},
    {u"C", CAddressData::Company},
    {u"J", CAddressData::CompanyAddress1},
    {u"D", CAddressData::Department},
    {u"Y", CAddressData::Position},
    {u"L", CAddressData::CompanyPhone1},
    {u"R1", CAddressData::Note1},
    {u"R2", CAddressData::Note2},
};

const QString kFullWidthSpace = QStringLiteral("\u3000");

bool isCSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// The number at the start of the text as atoi reads it: blanks, a sign, digits; 0 when
// there are none. Clamped instead of overflowing.
qint64 leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > INT_MAX)
            value = qint64(INT_MAX) + 1; // stays out of range however many digits follow
    }
    return negative ? -value : value;
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

} // namespace

QString CsvImportDefinition::codeLetters(Code code)
{
    return code >= 0 && code < CodeCount ? QString::fromUtf16(kCodes[code].letters) : QString();
}

QStringList CsvImportDefinition::explanationLines()
{
    return {QCoreApplication::translate(
                "CsvImportDefinition",
                "氏名：N, 氏名（姓）：SN, 氏名（名）：FN, フリガナ：H, フリガナ（姓）：SH, "
                "フリガナ（名）：FH, 郵便番号：P, 住所：A, 電話番号：T, 携帯電話：K, "),
            QCoreApplication::translate(
                "CsvImportDefinition",
                "FAX：X, E-メール：E, 携帯メール：M, URL：U, 生年月日：B, 年齢：O, 会社：C, "
                "会社住所：J, 部署：D, 役職：Y, 会社電話：L, 備考1：R1, 備考2：R2")};
}

QString CsvImportDefinition::prefill(int columns)
{
    QString text;
    for (int i = 1; i <= columns; ++i)
        text += QString::number(i) + QStringLiteral("= ,");
    return text;
}

int CsvImportDefinition::column(const QString& definition, Code code)
{
    const QString letters = codeLetters(code);
    if (letters.isEmpty())
        return 0;
    const qsizetype at = definition.indexOf(letters);
    if (at < 0)
        return 0;
    const QStringView before = QStringView(definition).left(at);
    const qsizetype equals = before.lastIndexOf(u'=');
    if (equals < 0)
        return 0;
    const qsizetype comma = before.left(equals).lastIndexOf(u',');
    const qint64 number = leadingNumber(before.mid(comma + 1, equals - comma - 1));
    return number >= 1 && number <= INT_MAX ? int(number) : 0;
}

QString CsvImportDefinition::composeName(const QString& surname, const QString& given,
                                         bool* letterOrder)
{
    const QString& first = given.isEmpty() ? surname : given;
    const bool letters = !first.isEmpty() && isAsciiLetter(first.front());
    if (letterOrder)
        *letterOrder = letters;
    return letters ? given + u' ' + surname : surname + kFullWidthSpace + given;
}

QStringList CsvImportDefinition::composeRecord(const QStringList& row, const QString& definition,
                                               const QString& entryNumber)
{
    const auto text = [&](Code code) {
        const int c = column(definition, code);
        return c >= 1 && c <= row.size() ? row.at(c - 1) : QString();
    };

    QStringList values(CAddressData::TextColumnCount);
    values[CAddressData::EntryNumber] = entryNumber;

    const QString surname = text(Surname);
    const QString given = text(GivenName);
    bool letterOrder = false;
    values[CAddressData::Name] = surname.isEmpty() && given.isEmpty()
                                     ? text(Name)
                                     : composeName(surname, given, &letterOrder);

    const QString readingSurname = text(ReadingSurname);
    const QString readingGiven = text(ReadingGiven);
    if (readingSurname.isEmpty() && readingGiven.isEmpty())
        values[CAddressData::Reading] = text(Reading);
    else if (letterOrder)
        values[CAddressData::Reading] = readingGiven + kFullWidthSpace + readingSurname;
    else
        values[CAddressData::Reading] = readingSurname + kFullWidthSpace + readingGiven;

    // Kept as the file has it: no date is made up for a record that has none, and one
    // that does not read as a date stays for the user to see and correct. The address
    // list computes ages from real dates only.
    values[CAddressData::BirthDate] = text(BirthDate);

    // An O on a column the row does not fill stores empty text; only a missing O gives "0".
    values[CAddressData::Age] = column(definition, Age) >= 1 ? text(Age) : QStringLiteral("0");

    for (int c = 0; c < CodeCount; ++c) {
        if (kCodes[c].column >= 0)
            values[kCodes[c].column] = text(Code(c));
    }
    return values;
}
