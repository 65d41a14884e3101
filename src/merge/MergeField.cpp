#include "MergeField.h"

#include "address/CAddressData.h"
#include "base/TextCodec.h"

#include <QHash>

namespace {

using Kind = MergeField::Kind;
using Source = MergeField::Source;

struct Row
{
    const char16_t* name;
    Kind kind;
    int column;
    int bytePos;
};

// The names shared by the recipient and sender families, in catalogue order.
const Row kRecordRows[MergeField::RecipientCount] = {
    {u"登録番号", Kind::Column, CAddressData::EntryNumber, -1},
    {u"氏名", Kind::Column, CAddressData::Name, -1},
    {u"敬称", Kind::Column, CAddressData::Honorific, -1},
    {u"フリガナ", Kind::Column, CAddressData::Reading, -1},
    {u"郵便番号", Kind::PostalCode, CAddressData::PostalCode, -1},
    {u"郵1", Kind::PostalDigit, CAddressData::PostalCode, 0},
    {u"郵2", Kind::PostalDigit, CAddressData::PostalCode, 1},
    {u"郵3", Kind::PostalDigit, CAddressData::PostalCode, 2},
    {u"郵4", Kind::PostalDigit, CAddressData::PostalCode, 4},
    {u"郵5", Kind::PostalDigit, CAddressData::PostalCode, 5},
    {u"郵6", Kind::PostalDigit, CAddressData::PostalCode, 6},
    {u"郵7", Kind::PostalDigit, CAddressData::PostalCode, 7},
    {u"住所1", Kind::Column, CAddressData::Address1, -1},
    {u"住所2", Kind::Column, CAddressData::Address2, -1},
    {u"住所3", Kind::Column, CAddressData::Address3, -1},
    {u"関係", Kind::Column, CAddressData::Relation, -1},
    {u"電話番号1", Kind::Column, CAddressData::Phone1, -1},
    {u"電話番号2", Kind::Column, CAddressData::Phone2, -1},
    {u"携帯電話1", Kind::Column, CAddressData::Mobile1, -1},
    {u"携帯電話2", Kind::Column, CAddressData::Mobile2, -1},
    {u"FAX", Kind::Column, CAddressData::Fax, -1},
    {u"E-メール1", Kind::Column, CAddressData::Mail1, -1},
    {u"E-メール2", Kind::Column, CAddressData::Mail2, -1},
    {u"携帯電話メール1", Kind::Column, CAddressData::MobileMail1, -1},
    {u"携帯電話メール2", Kind::Column, CAddressData::MobileMail2, -1},
    {u"URL", Kind::Column, CAddressData::Url, -1},
    {u"性別", Kind::Column, CAddressData::Sex, -1},
    {u"生年月日", Kind::Column, CAddressData::BirthDate, -1},
    {u"年齢", Kind::Column, CAddressData::Age, -1},
    {u"会社", Kind::Column, CAddressData::Company, -1},
    {u"会社郵便番号", Kind::PostalCode, CAddressData::CompanyPostalCode, -1},
    {u"会社郵1", Kind::PostalDigit, CAddressData::CompanyPostalCode, 0},
    {u"会社郵2", Kind::PostalDigit, CAddressData::CompanyPostalCode, 1},
    {u"会社郵3", Kind::PostalDigit, CAddressData::CompanyPostalCode, 2},
    {u"会社郵4", Kind::PostalDigit, CAddressData::CompanyPostalCode, 4},
    {u"会社郵5", Kind::PostalDigit, CAddressData::CompanyPostalCode, 5},
    {u"会社郵6", Kind::PostalDigit, CAddressData::CompanyPostalCode, 6},
    {u"会社郵7", Kind::PostalDigit, CAddressData::CompanyPostalCode, 7},
    {u"会社住所1", Kind::Column, CAddressData::CompanyAddress1, -1},
    {u"会社住所2", Kind::Column, CAddressData::CompanyAddress2, -1},
    {u"会社住所3", Kind::Column, CAddressData::CompanyAddress3, -1},
    {u"部署", Kind::Column, CAddressData::Department, -1},
    {u"役職", Kind::Column, CAddressData::Position, -1},
    {u"会社電話1", Kind::Column, CAddressData::CompanyPhone1, -1},
    {u"会社電話2", Kind::Column, CAddressData::CompanyPhone2, -1},
    {u"会社FAX", Kind::Column, CAddressData::CompanyFax, -1},
    {u"会社E-メール", Kind::Column, CAddressData::CompanyMail, -1},
    {u"会社URL", Kind::Column, CAddressData::CompanyUrl, -1},
    {u"連名1", Kind::Column, 9, -1},
    {u"連名2", Kind::Column, 11, -1},
    {u"連名3", Kind::Column, 13, -1},
    {u"連名4", Kind::Column, 15, -1},
    {u"連名5", Kind::Column, 17, -1},
    {u"敬称1", Kind::Column, 10, -1},
    {u"敬称2", Kind::Column, 12, -1},
    {u"敬称3", Kind::Column, 14, -1},
    {u"敬称4", Kind::Column, 16, -1},
    {u"敬称5", Kind::Column, 18, -1},
    {u"備考1", Kind::Column, CAddressData::Note1, -1},
    {u"備考2", Kind::Column, CAddressData::Note2, -1},
    {u"画像", Kind::Picture, CAddressData::Picture, -1},
    {u"バーコード", Kind::Barcode, CAddressData::PostalCode, -1},
    {u"宛名", Kind::NameBlock, CAddressData::Name, -1},
    {u"宛名会社", Kind::NameBlockCompany, CAddressData::Name, -1},
};

const Row kAutomaticRows[MergeField::AutomaticCount] = {
    {u"日付1(A)", Kind::DateSlashes, -1, -1},
    {u"日付2(A)", Kind::DateKanji, -1, -1},
    {u"年(A)", Kind::Year, -1, -1},
    {u"月(A)", Kind::Month, -1, -1},
    {u"日(A)", Kind::Day, -1, -1},
    {u"画像(A)", Kind::AutoPicture, -1, -1},
    {u"画像ファイル名(A)", Kind::PictureFileName, -1, -1},
    {u"シートNo.(A)", Kind::SheetNo, -1, -1},
    {u"ページNo.(A)", Kind::PageNo, -1, -1},
};

QList<MergeField> buildCatalogue()
{
    QList<MergeField> fields;
    fields.reserve(MergeField::CatalogueSize);
    const struct
    {
        Source source;
        const char16_t* suffix;
    } families[] = {{Source::Recipient, u"(R)"}, {Source::Sender, u"(S)"}};
    for (const auto& family : families) {
        for (const Row& row : kRecordRows) {
            MergeField f;
            f.name = QString::fromUtf16(row.name) + QString::fromUtf16(family.suffix);
            f.source = family.source;
            f.kind = row.kind;
            f.column = row.column;
            f.bytePos = row.bytePos;
            fields.append(f);
        }
    }
    for (const Row& row : kAutomaticRows) {
        MergeField f;
        f.name = QString::fromUtf16(row.name);
        f.source = Source::Automatic;
        f.kind = row.kind;
        fields.append(f);
    }
    return fields;
}

// Names are unique, so a hash finds the same field as comparing the names one after the
// other in catalogue order, without 131 comparisons per region.
QHash<QString, int> buildIndex(const QList<MergeField>& fields)
{
    QHash<QString, int> index;
    index.reserve(fields.size());
    for (int i = 0; i < fields.size(); ++i)
        index.insert(fields.at(i).name, i);
    return index;
}

} // namespace

const QList<MergeField>& MergeField::catalogue()
{
    static const QList<MergeField> fields = buildCatalogue();
    return fields;
}

const MergeField* MergeField::find(const QString& attribute)
{
    static const QHash<QString, int> index = buildIndex(catalogue());
    const auto it = index.constFind(attribute);
    return it == index.constEnd() ? nullptr : &catalogue().at(*it);
}

QStringList MergeField::attributeChoices()
{
    QStringList names;
    names.reserve(CatalogueSize + 1 + CsvChoiceCount);
    names.append(QString());
    for (const MergeField& f : catalogue())
        names.append(f.name);
    for (int c = 1; c <= CsvChoiceCount; ++c)
        names.append(QLatin1Char('@') + QString::number(c) + csvMarker());
    return names;
}

QString MergeField::normalisedPostalCode(const QString& code)
{
    if (TextCodec::byteLength(code) == 8)
        return code;
    return QString(8, QLatin1Char(' '));
}

QString MergeField::postalDigit(const QString& normalised, int bytePos)
{
    int offset = 0;
    for (int i = 0; i < normalised.size();) {
        // A surrogate pair is one character (its two halves count a byte each).
        const bool pair = normalised.at(i).isHighSurrogate() && i + 1 < normalised.size() &&
                          normalised.at(i + 1).isLowSurrogate();
        const int units = pair ? 2 : 1;
        if (offset == bytePos)
            return normalised.mid(i, units);
        offset += pair ? 2 : TextCodec::byteWidth(normalised.at(i));
        if (offset > bytePos)
            break; // the byte lies inside this character
        i += units;
    }
    return QStringLiteral(" ");
}

