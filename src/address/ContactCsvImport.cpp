#include "ContactCsvImport.h"

#include "CAddressData.h"
#include "CsvLineSplitter.h"
#include "VCardReader.h"

#include "postal/PostalCode.h"

#include <QCoreApplication>
#include <QDate>
#include <QHash>
#include <QRegularExpression>

#include <map>

namespace {

using C = CAddressData;

// Parts a record is composed of; the record columns themselves are below 100.
enum Part
{
    Family = 100,
    Given,
    FullName,
    ReadFamily,
    ReadGiven,
    ReadFull,
    HomeStreet,
    HomeStreet2,
    HomeStreet3,
    HomeCity,
    HomeRegion,
    HomePostal,
    WorkStreet,
    WorkStreet2,
    WorkStreet3,
    WorkCity,
    WorkRegion,
    WorkPostal,
    Birth,
    PartEnd
};

struct Alias
{
    const char16_t* name; // normalised: lower case, no spaces, half-width
    int target;
};

const Alias kGoogle[] = {
    {u"firstname", Given},
    {u"lastname", Family},
    {u"phoneticfirstname", ReadGiven},
    {u"phoneticlastname", ReadFamily},
    {u"organizationname", C::Company},
    {u"organizationtitle", C::Position},
    {u"organizationdepartment", C::Department},
    {u"birthday", Birth},
    {u"notes", C::Note1},
    {u"name", FullName},
    {u"givenname", Given},
    {u"familyname", Family},
    {u"givennameyomi", ReadGiven},
    {u"familynameyomi", ReadFamily},
    {u"yominame", ReadFull},
    {u"名", Given},
    {u"姓", Family},
    {u"名(フリガナ)", ReadGiven},
    {u"姓(フリガナ)", ReadFamily},
    {u"フリガナ(名)", ReadGiven},
    {u"フリガナ(姓)", ReadFamily},
    {u"名の読み", ReadGiven},
    {u"姓の読み", ReadFamily},
    {u"会社", C::Company},
    {u"役職", C::Position},
    {u"部署", C::Department},
    {u"誕生日", Birth},
    {u"メモ", C::Note1},
};

const Alias kOutlook[] = {
    {u"firstname", Given},
    {u"lastname", Family},
    {u"company", C::Company},
    {u"department", C::Department},
    {u"jobtitle", C::Position},
    {u"businessstreet", WorkStreet},
    {u"businessstreet2", WorkStreet2},
    {u"businessstreet3", WorkStreet3},
    {u"businesscity", WorkCity},
    {u"businessstate", WorkRegion},
    {u"businesspostalcode", WorkPostal},
    {u"homestreet", HomeStreet},
    {u"homestreet2", HomeStreet2},
    {u"homestreet3", HomeStreet3},
    {u"homecity", HomeCity},
    {u"homestate", HomeRegion},
    {u"homepostalcode", HomePostal},
    {u"businessfax", C::CompanyFax},
    {u"businessphone", C::CompanyPhone1},
    {u"businessphone2", C::CompanyPhone2},
    {u"homefax", C::Fax},
    {u"homephone", C::Phone1},
    {u"homephone2", C::Phone2},
    {u"mobilephone", C::Mobile1},
    {u"birthday", Birth},
    {u"e-mailaddress", C::Mail1},
    {u"e-mail2address", C::Mail2},
    {u"notes", C::Note1},
    {u"webpage", C::Url},
    {u"姓", Family},
    {u"名", Given},
    {u"姓(フリガナ)", ReadFamily},
    {u"名(フリガナ)", ReadGiven},
    {u"フリガナ(姓)", ReadFamily},
    {u"フリガナ(名)", ReadGiven},
    {u"ふりがな(姓)", ReadFamily},
    {u"ふりがな(名)", ReadGiven},
    {u"会社名", C::Company},
    {u"部署", C::Department},
    {u"役職", C::Position},
    {u"番地(会社)", WorkStreet},
    {u"番地2(会社)", WorkStreet2},
    {u"番地3(会社)", WorkStreet3},
    {u"市町村(会社)", WorkCity},
    {u"都道府県(会社)", WorkRegion},
    {u"郵便番号(会社)", WorkPostal},
    {u"番地(自宅)", HomeStreet},
    {u"番地2(自宅)", HomeStreet2},
    {u"番地3(自宅)", HomeStreet3},
    {u"市町村(自宅)", HomeCity},
    {u"都道府県(自宅)", HomeRegion},
    {u"郵便番号(自宅)", HomePostal},
    {u"会社fax", C::CompanyFax},
    {u"会社電話", C::CompanyPhone1},
    {u"会社電話2", C::CompanyPhone2},
    {u"自宅fax", C::Fax},
    {u"自宅電話", C::Phone1},
    {u"自宅電話2", C::Phone2},
    {u"携帯電話", C::Mobile1},
    {u"誕生日", Birth},
    {u"電子メールアドレス", C::Mail1},
    {u"電子メール2アドレス", C::Mail2},
    {u"メモ", C::Note1},
    {u"webページ", C::Url},
};

QString normalised(const QString& header)
{
    QString key = header.normalized(QString::NormalizationForm_KC).toLower();
    key.remove(QRegularExpression(QStringLiteral("\\s")));
    return key;
}

// The target of a header name, or -1.
int target(const QString& key, ContactCsvImport::Preset preset)
{
    const auto find = [&key](const auto& table) {
        for (const Alias& alias : table) {
            if (key == QStringView(alias.name))
                return alias.target;
        }
        return -1;
    };
    return preset == ContactCsvImport::Google ? find(kGoogle) : find(kOutlook);
}

// Google's labelled columns: "Phone 1 - Label" → ("phone", 1, "label").
const QRegularExpression& labelled()
{
    static const QRegularExpression re(
        QStringLiteral("^(phone|e-mail|address|website|organization)(\\d+)-(.+)$"));
    return re;
}

// YYYY/MM/DD from "1980-04-07", "1980/4/7" or Outlook's "4/7/1980"; empty for Outlook's
// "0/0/00" and Google's year-less "--04-07"; any other text as it is.
QString birthDate(const QString& text)
{
    if (text.startsWith(u"--"))
        return QString();
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[-/.]")));
    if (parts.size() != 3)
        return text;
    bool ok[3] = {};
    const int a = parts[0].toInt(&ok[0]), b = parts[1].toInt(&ok[1]), c = parts[2].toInt(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2])
        return text;
    if (a == 0 && b == 0 && c == 0)
        return QString();
    const QDate date = parts[0].size() == 4 ? QDate(a, b, c) : QDate(c, a, b);
    return date.isValid() && (parts[0].size() == 4 || parts[2].size() == 4)
               ? date.toString(QStringLiteral("yyyy/MM/dd"))
               : text;
}

QString joined(const QString& a, const QString& b, const QString& space)
{
    return a.isEmpty() ? b : b.isEmpty() ? a : a + space + b;
}

class RecordBuilder
{
public:
    RecordBuilder() : mRecord(C::TextColumnCount), mParts(PartEnd - Family) {}

    void set(int target, const QString& value)
    {
        QString& slot = target < Family ? mRecord[target] : mParts[target - Family];
        if (slot.isEmpty())
            slot = value;
    }
    void place(std::initializer_list<int> columns, const QString& value)
    {
        for (int column : columns) {
            if (mRecord[column].isEmpty()) {
                mRecord[column] = value;
                return;
            }
        }
    }
    void labelled(const QString& kind, const QString& label, const QHash<QString, QString>& v);
    QStringList finish();

private:
    QString part(int p) const { return mParts[p - Family]; }

    QStringList mRecord;
    QStringList mParts;
};

void RecordBuilder::labelled(const QString& kind, const QString& label,
                             const QHash<QString, QString>& v)
{
    const bool work = label.contains(u"work") || label.contains(u"会社") || label.contains(u"勤務");
    const bool mobile = label.contains(u"mobile") || label.contains(u"携帯");
    if (kind == u"phone" || kind == u"e-mail") {
        for (const QString& item : v.value(QStringLiteral("value")).split(QStringLiteral(":::"))) {
            const QString value = item.trimmed();
            if (value.isEmpty())
                continue;
            if (kind == u"phone" && mobile)
                place({C::Mobile1, C::Mobile2}, value);
            else if (kind == u"phone" && label.contains(u"fax"))
                set(work ? C::CompanyFax : C::Fax, value);
            else if (kind == u"phone")
                work ? place({C::CompanyPhone1, C::CompanyPhone2}, value)
                     : place({C::Phone1, C::Phone2}, value);
            else if (work)
                place({C::CompanyMail, C::Mail1, C::Mail2}, value);
            else if (mobile)
                place({C::MobileMail1, C::MobileMail2}, value);
            else
                place({C::Mail1, C::Mail2}, value);
        }
    } else if (kind == u"website") {
        const QString value = v.value(QStringLiteral("value")).section(QStringLiteral(":::"), 0, 0);
        set(work ? C::CompanyUrl : C::Url, value.trimmed());
    } else if (kind == u"organization") {
        set(C::Company, v.value(QStringLiteral("name")));
        set(C::Position, v.value(QStringLiteral("title")));
        set(C::Department, v.value(QStringLiteral("department")));
    } else if (kind == u"address") {
        const bool toWork = work && part(WorkStreet).isEmpty() && part(WorkCity).isEmpty();
        const int base = toWork ? WorkStreet : HomeStreet;
        if (!part(base).isEmpty() || !part(base + 3).isEmpty() || !part(base + 4).isEmpty())
            return; // the first address of each kind
        QString street = v.value(QStringLiteral("street"));
        if (street.isEmpty() && v.value(QStringLiteral("city")).isEmpty() &&
            v.value(QStringLiteral("region")).isEmpty())
            street = v.value(QStringLiteral("formatted")).simplified();
        set(base, street);
        set(base + 1, v.value(QStringLiteral("extendedaddress")));
        set(base + 3, v.value(QStringLiteral("city")));
        set(base + 4, v.value(QStringLiteral("region")));
        set(base + 5, v.value(QStringLiteral("postalcode")));
    }
}

QStringList RecordBuilder::finish()
{
    mRecord[C::Name] = joined(part(Family), part(Given), QStringLiteral(" "));
    if (mRecord[C::Name].isEmpty())
        mRecord[C::Name] = part(FullName);
    QString reading = joined(part(ReadFamily), part(ReadGiven), QStringLiteral("　"));
    if (reading.isEmpty())
        reading = part(ReadFull);
    mRecord[C::Reading] = VCardReader::fullWidthKatakana(reading);
    const auto address = [this](int base, int code, int line1, int line2) {
        mRecord[code] = PostalCode::storedForm(part(base + 5));
        mRecord[line1] = part(base + 4) + part(base + 3) + part(base);
        mRecord[line2] = joined(part(base + 1), part(base + 2), QStringLiteral(" "));
    };
    address(HomeStreet, C::PostalCode, C::Address1, C::Address2);
    address(WorkStreet, C::CompanyPostalCode, C::CompanyAddress1, C::CompanyAddress2);
    mRecord[C::BirthDate] = birthDate(part(Birth));
    for (QString& field : mRecord)
        field.replace(u'\n', u' ').remove(u'\r');
    return mRecord;
}

} // namespace

QString ContactCsvImport::presetName(Preset preset)
{
    return preset == Google ? QCoreApplication::translate("ContactCsvImport", "Googleコンタクト")
                            : QStringLiteral("Outlook");
}

bool ContactCsvImport::recognises(const QStringList& header, Preset preset)
{
    for (const QString& name : header) {
        const int t = target(normalised(name), preset);
        if (t == Family || t == Given || t == FullName)
            return true;
    }
    return false;
}

int ContactCsvImport::presetOf(const QStringList& header)
{
    // Both know "姓" and "名": the one that knows more of the columns wins.
    int best = -1;
    int bestCount = 0;
    for (int p = 0; p < PresetCount; ++p) {
        if (!recognises(header, Preset(p)))
            continue;
        int count = 0;
        for (const QString& name : header) {
            const QString key = normalised(name);
            if (target(key, Preset(p)) >= 0 || (p == Google && labelled().match(key).hasMatch()))
                ++count;
        }
        if (count > bestCount) {
            best = p;
            bestCount = count;
        }
    }
    return best;
}

QStringList ContactCsvImport::headerOf(const QStringList& lines)
{
    if (lines.isEmpty())
        return QStringList();
    return CsvLineSplitter::split(lines.first(), CsvLineSplitter::columnCount(lines.first()));
}

QStringList ContactCsvImport::importLines(const QStringList& lines)
{
    return presetOf(headerOf(lines)) >= 0 ? joinedLines(lines) : lines;
}

QStringList ContactCsvImport::joinedLines(const QStringList& lines)
{
    QStringList out;
    out.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        int joined = 0;
        while (line.count(u'"') % 2 == 1 && joined < MaxJoinedLines && i + 1 < lines.size()) {
            line += u' ' + lines.at(++i);
            ++joined;
        }
        out.append(line);
    }
    return out;
}

QList<QStringList> ContactCsvImport::records(const QStringList& header,
                                             const QList<QStringList>& rows, Preset preset)
{
    // What each column is, worked out once.
    struct Column
    {
        int target = -1;
        QString kind, number, field;
    };
    QList<Column> columns;
    for (const QString& name : header) {
        Column column;
        const QString key = normalised(name);
        column.target = target(key, preset);
        const QRegularExpressionMatch m = labelled().match(key);
        if (column.target < 0 && preset == Google && m.hasMatch()) {
            column.kind = m.captured(1);
            column.number = m.captured(2);
            column.field = m.captured(3) == u"type" ? QStringLiteral("label") : m.captured(3);
        }
        columns.append(column);
    }
    QList<QStringList> out;
    out.reserve(rows.size());
    for (const QStringList& row : rows) {
        RecordBuilder builder;
        std::map<std::pair<QString, int>, QHash<QString, QString>> groups;
        for (int c = 0; c < std::min(row.size(), columns.size()); ++c) {
            const QString value = row.at(c).trimmed();
            const Column& column = columns.at(c);
            if (value.isEmpty())
                continue;
            if (column.target >= 0)
                builder.set(column.target, value);
            else if (!column.kind.isEmpty())
                groups[{column.kind, column.number.toInt()}][column.field] = value;
        }
        // In the order of their numbers, so that "Phone 1" comes before "Phone 2".
        std::map<std::pair<int, QString>, const QHash<QString, QString>*> ordered;
        for (const auto& [key, values] : groups)
            ordered[{key.second, key.first}] = &values;
        for (const auto& [key, values] : ordered)
            builder.labelled(key.second, normalised(values->value(QStringLiteral("label"))),
                             *values);
        out.append(builder.finish());
    }
    return out;
}
