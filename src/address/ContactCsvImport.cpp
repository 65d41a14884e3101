#include "ContactCsvImport.h"

#include "CAddressData.h"
#include "ContactFields.h"
#include "ContactImportReport.h"
#include "CsvLineSplitter.h"

#include <QCoreApplication>
#include <QDate>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {

using C = CAddressData;

// Parts a record is composed of; the record columns themselves are below 100. Every
// address kind has its parts at the same offsets from its base.
enum Part
{
    Family = 100,
    Given,
    FullName,
    ReadFamily,
    ReadGiven,
    ReadFull,
    Birth,
    BirthYear,
    BirthMonth,
    BirthDay,
    PhoneMore,  // a further telephone number: any free 電話番号
    MailMore,   // a further mail address: any free E-メール
    FaxMore,    // a further fax number
    Home = 120, // + AddressPart
    Work = 130,
    Other = 140,
    PartEnd = 150
};

enum AddressPart
{
    Street,
    Street2,
    Street3,
    City,
    Region,
    Postal,
    Country,
    POBox,
    AddressPartCount
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

// Outlook (its English and Japanese desktop exports) and Outlook.com.
const Alias kOutlook[] = {
    {u"firstname", Given},
    {u"lastname", Family},
    {u"givenyomi", ReadGiven},
    {u"surnameyomi", ReadFamily},
    {u"company", C::Company},
    {u"department", C::Department},
    {u"jobtitle", C::Position},
    {u"businessstreet", Work + Street},
    {u"businessstreet2", Work + Street2},
    {u"businessstreet3", Work + Street3},
    {u"businesscity", Work + City},
    {u"businessstate", Work + Region},
    {u"businesspostalcode", Work + Postal},
    {u"businesscountry/region", Work + Country},
    {u"businesscountry", Work + Country},
    {u"businessaddresspobox", Work + POBox},
    {u"homestreet", Home + Street},
    {u"homestreet2", Home + Street2},
    {u"homestreet3", Home + Street3},
    {u"homecity", Home + City},
    {u"homestate", Home + Region},
    {u"homepostalcode", Home + Postal},
    {u"homecountry/region", Home + Country},
    {u"homecountry", Home + Country},
    {u"homeaddresspobox", Home + POBox},
    {u"otherstreet", Other + Street},
    {u"otherstreet2", Other + Street2},
    {u"otherstreet3", Other + Street3},
    {u"othercity", Other + City},
    {u"otherstate", Other + Region},
    {u"otherpostalcode", Other + Postal},
    {u"othercountry/region", Other + Country},
    {u"othercountry", Other + Country},
    {u"otheraddresspobox", Other + POBox},
    {u"businessfax", C::CompanyFax},
    {u"businessphone", C::CompanyPhone1},
    {u"businessphone2", C::CompanyPhone2},
    {u"homefax", C::Fax},
    {u"otherfax", FaxMore},
    {u"homephone", C::Phone1},
    {u"homephone2", C::Phone2},
    {u"otherphone", PhoneMore},
    {u"primaryphone", PhoneMore},
    {u"mobilephone", C::Mobile1},
    {u"birthday", Birth},
    {u"e-mailaddress", C::Mail1},
    {u"e-mail2address", C::Mail2},
    {u"e-mail3address", MailMore},
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
    {u"姓フリガナ", ReadFamily},
    {u"名前フリガナ", ReadGiven},
    {u"名フリガナ", ReadGiven},
    {u"会社名", C::Company},
    {u"部署", C::Department},
    {u"役職", C::Position},
    {u"番地(会社)", Work + Street},
    {u"番地2(会社)", Work + Street2},
    {u"番地3(会社)", Work + Street3},
    {u"住所1(会社)", Work + Street},
    {u"住所2(会社)", Work + Street2},
    {u"住所3(会社)", Work + Street3},
    {u"市町村(会社)", Work + City},
    {u"市区町村(会社)", Work + City},
    {u"都道府県(会社)", Work + Region},
    {u"郵便番号(会社)", Work + Postal},
    {u"国/地域(会社)", Work + Country},
    {u"番地(自宅)", Home + Street},
    {u"番地2(自宅)", Home + Street2},
    {u"番地3(自宅)", Home + Street3},
    {u"住所1(自宅)", Home + Street},
    {u"住所2(自宅)", Home + Street2},
    {u"住所3(自宅)", Home + Street3},
    {u"市町村(自宅)", Home + City},
    {u"市区町村(自宅)", Home + City},
    {u"都道府県(自宅)", Home + Region},
    {u"郵便番号(自宅)", Home + Postal},
    {u"国/地域(自宅)", Home + Country},
    {u"番地(その他)", Other + Street},
    {u"市区町村(その他)", Other + City},
    {u"都道府県(その他)", Other + Region},
    {u"郵便番号(その他)", Other + Postal},
    {u"会社fax", C::CompanyFax},
    {u"会社電話", C::CompanyPhone1},
    {u"会社電話2", C::CompanyPhone2},
    {u"自宅fax", C::Fax},
    {u"自宅電話", C::Phone1},
    {u"自宅電話2", C::Phone2},
    {u"その他の電話", PhoneMore},
    {u"携帯電話", C::Mobile1},
    {u"誕生日", Birth},
    {u"電子メールアドレス", C::Mail1},
    {u"電子メール2アドレス", C::Mail2},
    {u"電子メール3アドレス", MailMore},
    {u"メモ", C::Note1},
    {u"webページ", C::Url},
};

// Thunderbird's address book export (English headers).
const Alias kThunderbird[] = {
    {u"firstname", Given},
    {u"lastname", Family},
    {u"displayname", FullName},
    {u"primaryemail", C::Mail1},
    {u"secondaryemail", C::Mail2},
    {u"workphone", C::CompanyPhone1},
    {u"homephone", C::Phone1},
    {u"faxnumber", C::Fax},
    {u"mobilenumber", C::Mobile1},
    {u"homeaddress", Home + Street},
    {u"homeaddress2", Home + Street2},
    {u"homecity", Home + City},
    {u"homestate", Home + Region},
    {u"homezipcode", Home + Postal},
    {u"homecountry", Home + Country},
    {u"workaddress", Work + Street},
    {u"workaddress2", Work + Street2},
    {u"workcity", Work + City},
    {u"workstate", Work + Region},
    {u"workzipcode", Work + Postal},
    {u"workcountry", Work + Country},
    {u"jobtitle", C::Position},
    {u"department", C::Department},
    {u"organization", C::Company},
    {u"webpage1", C::Url},
    {u"webpage2", C::CompanyUrl},
    {u"birthyear", BirthYear},
    {u"birthmonth", BirthMonth},
    {u"birthday", BirthDay},
    {u"notes", C::Note1},
};

QString normalised(const QString& header)
{
    QString key = header.normalized(QString::NormalizationForm_KC).toLower();
    static const QRegularExpression blanks(QStringLiteral("\\s"));
    key.remove(blanks);
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
    switch (preset) {
    case ContactCsvImport::Google:
        return find(kGoogle);
    case ContactCsvImport::Outlook:
        return find(kOutlook);
    default:
        return find(kThunderbird);
    }
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
    static const QRegularExpression separators(QStringLiteral("[-/.]"));
    const QStringList parts = text.split(separators);
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

QString tr(const char* text)
{
    return QCoreApplication::translate("ContactCsvImport", text);
}

// What a column holds, for the report of values without a place.
QString kindName(int target)
{
    switch (target) {
    case C::Phone1:
    case C::Phone2:
    case PhoneMore:
        return tr("電話");
    case C::Mobile1:
    case C::Mobile2:
        return tr("携帯電話");
    case C::CompanyPhone1:
    case C::CompanyPhone2:
        return tr("会社電話");
    case C::Fax:
    case C::CompanyFax:
    case FaxMore:
        return tr("FAX");
    case C::Mail1:
    case C::Mail2:
    case C::CompanyMail:
    case C::MobileMail1:
    case C::MobileMail2:
    case MailMore:
        return tr("E-メール");
    case C::Url:
    case C::CompanyUrl:
        return tr("URL");
    case C::Note1:
    case C::Note2:
        return tr("備考");
    default:
        return target < C::TextColumnCount ? C::columnTitle(target) : QString();
    }
}

class RecordBuilder
{
public:
    RecordBuilder() : mRecord(C::TextColumnCount), mParts(PartEnd - Family) {}

    void set(int target, const QString& value);
    void place(std::initializer_list<int> columns, const QString& value, int kind)
    {
        if (!ContactFields::place(mRecord, columns, value))
            mUnplaced.append(kindName(kind) + u' ' + value);
    }
    void labelled(const QString& kind, const QString& label, const QHash<QString, QString>& v);
    QStringList finish(ContactImportReport* report);
    // The value cut to ContactFields::MaxFieldChars, the cut noted for the report.
    QString bounded(const QString& value)
    {
        if (value.size() <= ContactFields::MaxFieldChars)
            return value;
        mCut.append(tr("%1文字の値").arg(value.size()));
        return ContactFields::bounded(value, nullptr, QString(), QString());
    }

private:
    QString part(int p) const { return mParts[p - Family]; }
    ContactFields::Address address(int base) const
    {
        return {part(base + POBox),
                joined(part(base + Street2), part(base + Street3), QStringLiteral(" ")),
                part(base + Street),
                part(base + City),
                part(base + Region),
                part(base + Postal),
                part(base + Country)};
    }
    bool hasAddress(int base) const { return !address(base).isEmpty(); }

    QStringList mRecord;
    QStringList mParts;
    QList<std::pair<QString, ContactFields::Address>> mMoreAddresses; // with their labels
    QStringList mUnplaced;
    QStringList mCut;
};

void RecordBuilder::set(int target, const QString& text)
{
    QString value = target == C::Note1 ? ContactFields::singleLine(text) : text;
    value.replace(u'\n', u' ').remove(u'\r');
    if (value.size() > ContactFields::MaxFieldChars) {
        mCut.append(tr("%1 %2文字").arg(kindName(target)).arg(value.size()));
        value = ContactFields::bounded(value, nullptr, QString(), QString());
    }
    switch (target) {
    case PhoneMore:
        return place({C::Phone1, C::Phone2}, value, target);
    case MailMore:
        return place({C::Mail1, C::Mail2}, value, target);
    case FaxMore:
        return place({C::Fax, C::CompanyFax}, value, target);
    case C::Note1:
        return place({C::Note1, C::Note2}, value, target);
    default:
        break;
    }
    QString& slot = target < Family ? mRecord[target] : mParts[target - Family];
    if (slot.isEmpty())
        slot = value;
    else if (target < Family && slot != value)
        mUnplaced.append(kindName(target) + u' ' + value);
}

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
                place({C::Mobile1, C::Mobile2}, value, C::Mobile1);
            else if (kind == u"phone" && label.contains(u"fax"))
                place({work ? C::CompanyFax : C::Fax}, value, C::Fax);
            else if (kind == u"phone")
                work ? place({C::CompanyPhone1, C::CompanyPhone2}, value, C::CompanyPhone1)
                     : place({C::Phone1, C::Phone2}, value, C::Phone1);
            else if (work)
                place({C::CompanyMail, C::Mail1, C::Mail2}, value, C::Mail1);
            else if (mobile)
                place({C::MobileMail1, C::MobileMail2}, value, C::Mail1);
            else
                place({C::Mail1, C::Mail2}, value, C::Mail1);
        }
    } else if (kind == u"website") {
        const QString value = v.value(QStringLiteral("value")).section(QStringLiteral(":::"), 0, 0);
        set(work ? C::CompanyUrl : C::Url, value.trimmed());
    } else if (kind == u"organization") {
        set(C::Company, v.value(QStringLiteral("name")));
        set(C::Position, v.value(QStringLiteral("title")));
        set(C::Department, v.value(QStringLiteral("department")));
    } else if (kind == u"address") {
        ContactFields::Address a{v.value(QStringLiteral("pobox")),
                                 v.value(QStringLiteral("extendedaddress")),
                                 v.value(QStringLiteral("street")),
                                 v.value(QStringLiteral("city")),
                                 v.value(QStringLiteral("region")),
                                 v.value(QStringLiteral("postalcode")),
                                 v.value(QStringLiteral("country"))};
        if (a.street.isEmpty() && a.city.isEmpty() && a.region.isEmpty() && a.extended.isEmpty())
            a.street = ContactFields::singleLine(v.value(QStringLiteral("formatted")));
        if (a.isEmpty())
            return;
        const int base = work && !hasAddress(Work) ? Work : !hasAddress(Home) ? Home : -1;
        if (base < 0) {
            mMoreAddresses.append({work ? tr("会社") : tr("自宅"), a});
            return;
        }
        set(base + POBox, a.poBox);
        set(base + Street2, a.extended);
        set(base + Street, a.street);
        set(base + City, a.city);
        set(base + Region, a.region);
        set(base + Postal, a.code);
        set(base + Country, a.country);
    }
}

QStringList RecordBuilder::finish(ContactImportReport* report)
{
    mRecord[C::Name] = joined(part(Family), part(Given), QStringLiteral(" "));
    if (mRecord[C::Name].isEmpty())
        mRecord[C::Name] = part(FullName);
    QString reading = joined(part(ReadFamily), part(ReadGiven), QStringLiteral(" "));
    if (reading.isEmpty())
        reading = part(ReadFull);
    mRecord[C::Reading] = ContactFields::reading(reading);
    // The home address, else the other one; a second address goes into the notes.
    const int home = hasAddress(Home) ? Home : hasAddress(Other) ? Other : -1;
    if (home == Home && hasAddress(Other))
        mMoreAddresses.prepend({tr("その他"), address(Other)});
    if (home >= 0)
        ContactFields::fillAddress(mRecord, C::PostalCode, C::Address1, C::Address2, address(home));
    if (hasAddress(Work)) {
        ContactFields::fillAddress(mRecord, C::CompanyPostalCode, C::CompanyAddress1,
                                   C::CompanyAddress2, address(Work));
    }
    for (const auto& [label, a] : std::as_const(mMoreAddresses))
        place({C::Note1, C::Note2}, ContactFields::noteLine(label, a), C::Address1);
    // Thunderbird gives the date in three columns.
    QString birth = part(Birth);
    if (birth.isEmpty() && !part(BirthMonth).isEmpty() && !part(BirthDay).isEmpty())
        birth = part(BirthYear).isEmpty()
                    ? QStringLiteral("--%1-%2").arg(part(BirthMonth), part(BirthDay))
                    : QStringLiteral("%1/%2/%3").arg(part(BirthYear), part(BirthMonth),
                                                     part(BirthDay));
    mRecord[C::BirthDate] = birthDate(birth);
    if (mRecord[C::BirthDate].isEmpty() && birth.startsWith(u"--"))
        mUnplaced.append(tr("年のない誕生日 %1月%2日")
                             .arg(birth.section(u'-', 2, 2).toInt())
                             .arg(birth.section(u'-', 3, 3).toInt()));
    if (report) {
        ContactFields::restoreCodes(mRecord, report);
        for (const QString& what : std::as_const(mUnplaced))
            report->addUnplaced(mRecord[C::Name], what);
        for (const QString& what : std::as_const(mCut))
            report->addCut(mRecord[C::Name], what);
    }
    return mRecord;
}

} // namespace

QString ContactCsvImport::presetName(Preset preset)
{
    switch (preset) {
    case Google:
        return tr("Googleコンタクト");
    case Outlook:
        return QStringLiteral("Outlook");
    default:
        return QStringLiteral("Thunderbird");
    }
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
    // Most files have no field over two lines: they are given back as they are, shared.
    const auto odd = [](const QString& line) { return line.count(u'"') % 2 == 1; };
    if (std::none_of(lines.begin(), lines.end(), odd))
        return lines;
    QStringList out;
    out.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        int joined = 0;
        while (line.count(u'"') % 2 == 1 && joined < MaxJoinedLines && i + 1 < lines.size()) {
            line += u'\n' + lines.at(++i);
            ++joined;
        }
        out.append(line);
    }
    return out;
}

QList<QStringList> ContactCsvImport::records(const QStringList& header,
                                             const QList<QStringList>& rows, Preset preset,
                                             ContactImportReport* report)
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
                groups[{column.kind, column.number.toInt()}][column.field] = builder.bounded(value);
        }
        // In the order of their numbers, so that "Phone 1" comes before "Phone 2".
        std::map<std::pair<int, QString>, const QHash<QString, QString>*> ordered;
        for (const auto& [key, values] : groups)
            ordered[{key.second, key.first}] = &values;
        for (const auto& [key, values] : ordered)
            builder.labelled(key.second, normalised(values->value(QStringLiteral("label"))),
                             *values);
        out.append(builder.finish(report));
    }
    return out;
}
