#include "AddressSearch.h"

#include "address/AddressBook.h"
#include "address/AgeCalculator.h"
#include "address/CAddressData.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("AddressSearch", text);
}

using C = CAddressData;

// The field selectors and the record columns each one searches, in the dialog's order.
struct Field
{
    const char* name;
    std::array<int, 5> columns; // -1 after the last
};

const Field kFields[] = {
    {"登録番号", {C::EntryNumber, -1, -1, -1, -1}},
    {"氏名", {C::Name, -1, -1, -1, -1}},
    {"フリガナ", {C::Reading, -1, -1, -1, -1}},
    {"郵便番号", {C::PostalCode, -1, -1, -1, -1}},
    {"住所", {C::Address1, C::Address2, C::Address3, -1, -1}},
    {"電話番号", {C::Phone1, C::Phone2, -1, -1, -1}},
    {"携帯電話", {C::Mobile1, C::Mobile2, -1, -1, -1}},
    {"FAX", {C::Fax, -1, -1, -1, -1}},
    {"E-メール", {C::Mail1, C::Mail2, -1, -1, -1}},
    {"携帯電話メール", {C::MobileMail1, C::MobileMail2, -1, -1, -1}},
    {"URL", {C::Url, -1, -1, -1, -1}},
    {"会社", {C::Company, -1, -1, -1, -1}},
    {"会社郵便番号", {C::CompanyPostalCode, -1, -1, -1, -1}},
    {"会社住所", {C::CompanyAddress1, C::CompanyAddress2, C::CompanyAddress3, -1, -1}},
    {"部署", {C::Department, -1, -1, -1, -1}},
    {"役職", {C::Position, -1, -1, -1, -1}},
    {"会社電話", {C::CompanyPhone1, C::CompanyPhone2, -1, -1, -1}},
    {"会社FAX", {C::CompanyFax, -1, -1, -1, -1}},
    {"会社E-メール", {C::CompanyMail, -1, -1, -1, -1}},
    {"会社URL", {C::CompanyUrl, -1, -1, -1, -1}},
    {"連名",
     {C::JointName1, C::JointName1 + 2, C::JointName1 + 4, C::JointName1 + 6, C::JointName1 + 8}},
    {"備考", {C::Note1, C::Note2, C::Picture, -1, -1}},
};
constexpr int kFieldCount = int(sizeof(kFields) / sizeof(kFields[0]));

// One applied condition: the records it finds, in the order it finds them (a keyword of
// several words may find a record more than once), and which records match it.
struct Condition
{
    QList<qint32> findings;
    std::vector<bool> matches;
};

Condition condition(int n, const std::function<bool(int)>& test)
{
    Condition c;
    c.matches.assign(size_t(n), false);
    for (int i = 0; i < n; ++i) {
        if (test(i)) {
            c.findings.append(i);
            c.matches[size_t(i)] = true;
        }
    }
    return c;
}

Condition keywordCondition(const CAddressData& group, int n, const QString& keyword,
                           const QList<int>& columns)
{
    Condition c;
    c.matches.assign(size_t(n), false);
    // Empty words between repeated spaces would match every record: they are no word.
    // Words are separated by half-width or full-width spaces (a Japanese input method
    // types the latter).
    static const QRegularExpression spaces(QStringLiteral("[ \u3000]+"));
    const QStringList words = keyword.split(spaces, Qt::SkipEmptyParts);
    for (const QString& word : words) {
        for (int i = 0; i < n; ++i) {
            const bool found = std::any_of(columns.begin(), columns.end(), [&](int col) {
                return group.fieldView(i, col).contains(word, Qt::CaseSensitive);
            });
            if (found) {
                c.findings.append(i);
                c.matches[size_t(i)] = true;
            }
        }
    }
    return c;
}

bool birthMatches(const CAddressData& group, int record, int conditionKind, const QDate& day)
{
    // A record without a readable date is neither before nor after any day.
    const QDate born = AgeCalculator::readDate(group.fieldView(record, C::BirthDate));
    if (!born.isValid() || !day.isValid())
        return false;
    switch (conditionKind) {
    case AddressSearch::BornAfter:
        return born > day;
    case AddressSearch::BornOnOrAfter:
        return born >= day;
    case AddressSearch::BornOn:
        return born == day;
    case AddressSearch::BornOnOrBefore:
        return born <= day;
    case AddressSearch::BornBefore:
        return born < day;
    default:
        return false;
    }
}

bool ageMatches(const CAddressData& group, int record, int conditionKind, int n)
{
    const int age = AgeCalculator::leadingNumber(group.fieldView(record, C::Age));
    switch (conditionKind) {
    case AddressSearch::OlderThan:
        return age > n;
    case AddressSearch::AtLeast:
        return age >= n;
    case AddressSearch::SameAge:
        return age == n;
    case AddressSearch::AtMost:
        return age <= n;
    case AddressSearch::YoungerThan:
        return age < n;
    default:
        return false;
    }
}

} // namespace

QStringList AddressSearch::fieldNames()
{
    QStringList names;
    for (const Field& f : kFields)
        names.append(tr(f.name));
    return names;
}

QStringList AddressSearch::relationChoices()
{
    return {tr("指定なし"), tr("その他")};
}

QStringList AddressSearch::sexChoices()
{
    return {tr("指定なし"), tr("男性"), tr("女性")};
}

QStringList AddressSearch::birthConditions()
{
    return {tr("指定なし"),
            tr("以後"),
            tr("以後（この日付も含む）"),
            tr("この日付のみ"),
            tr("以前（この日付も含む）"),
            tr("以前")};
}

QStringList AddressSearch::ageConditions()
{
    return {tr("指定なし"), tr("より上"), tr("以上"), tr("同じ年齢"), tr("以下"), tr("未満")};
}

QStringList AddressSearch::reservationChoices()
{
    return {tr("指定なし"), tr("未"), tr("予約済")};
}

QList<int> AddressSearch::fieldColumns(int field)
{
    if (field < 0 || field >= kFieldCount)
        return {};
    QList<int> columns;
    for (int c : kFields[field].columns) {
        if (c >= 0)
            columns.append(c);
    }
    return columns;
}

QString AddressSearch::validate(const Criteria& criteria)
{
    for (int f : criteria.fields) {
        if (f < 0 || f >= kFieldCount)
            return tr("検索条件を選択してください。");
    }
    const bool noKeyword = std::all_of(criteria.keywords.begin(), criteria.keywords.end(),
                                       [](const QString& k) { return k.isEmpty(); });
    if (!noKeyword)
        return QString();
    if (criteria.relation.isEmpty())
        return tr("キーワードを入力してください。");
    const QString none = relationChoices().first();
    if (criteria.relation == none && criteria.sex == 0 && criteria.birthCondition == AnyBirthDate &&
        criteria.ageCondition == AnyAge && criteria.reservation == AnyReservation &&
        criteria.history.isEmpty())
        return tr("検索条件を指定してください。");
    return QString();
}

QList<qint32> AddressSearch::matchGroup(const CAddressData& group, const Criteria& criteria)
{
    const int n = group.recordCount();
    std::vector<Condition> conditions;
    for (int k = 0; k < KeywordCount; ++k) {
        if (!criteria.keywords[size_t(k)].isEmpty())
            conditions.push_back(keywordCondition(group, n, criteria.keywords[size_t(k)],
                                                  fieldColumns(criteria.fields[size_t(k)])));
    }
    if (!criteria.relation.isEmpty() && criteria.relation != relationChoices().first()) {
        conditions.push_back(condition(
            n, [&](int i) { return group.fieldView(i, C::Relation).contains(criteria.relation); }));
    }
    if (criteria.sex > 0 && criteria.sex < sexChoices().size()) {
        const QString sex = sexChoices().at(criteria.sex);
        conditions.push_back(
            condition(n, [&](int i) { return group.fieldView(i, C::Sex).contains(sex); }));
    }
    if (criteria.birthCondition != AnyBirthDate) {
        conditions.push_back(condition(n, [&](int i) {
            return birthMatches(group, i, criteria.birthCondition, criteria.birthDate);
        }));
    }
    if (criteria.ageCondition != AnyAge) {
        conditions.push_back(condition(
            n, [&](int i) { return ageMatches(group, i, criteria.ageCondition, criteria.age); }));
    }
    if (criteria.reservation == NotReserved || criteria.reservation == Reserved) {
        const bool wanted = criteria.reservation == Reserved;
        conditions.push_back(condition(n, [&](int i) { return (group.flag(i) != 0) == wanted; }));
    }
    for (const HistoryCondition& h : criteria.history) {
        const std::vector<bool> has = historyMatches(group, h);
        conditions.push_back(condition(n, [&](int i) { return has[size_t(i)] == h.present; }));
    }

    QList<qint32> result;
    if (conditions.empty())
        return result;
    std::vector<bool> taken(size_t(n), false);
    if (!criteria.useOr) {
        for (const Condition& c : conditions) {
            if (c.findings.isEmpty())
                return result;
        }
        for (qint32 i : conditions.front().findings) {
            if (taken[size_t(i)])
                continue;
            taken[size_t(i)] = true;
            const bool all = std::all_of(conditions.begin() + 1, conditions.end(),
                                         [&](const Condition& c) { return c.matches[size_t(i)]; });
            if (all)
                result.append(i);
        }
        return result;
    }
    // OR: walk the findings from the end, so that the first time a record is met is its
    // last finding; then turn the list round.
    QList<qint32> sequence;
    for (const Condition& c : conditions)
        sequence.append(c.findings);
    for (qsizetype k = sequence.size() - 1; k >= 0; --k) {
        const qint32 i = sequence.at(k);
        if (!taken[size_t(i)]) {
            taken[size_t(i)] = true;
            result.append(i);
        }
    }
    std::reverse(result.begin(), result.end());
    return result;
}

void AddressSearch::run(CORINOTEDoc& doc, const Criteria& criteria)
{
    doc.takeUndoSnapshot(QStringLiteral("住所録データの検索"));
    for (int g = 0; g < AddressBook::SenderGroup; ++g)
        doc.groupList(g) = matchGroup(doc.addressBook().group(g), criteria);
}

void AddressSearch::setHistoryYear(HistoryCondition& condition, int year)
{
    condition.from = QDate(year, 1, 1);
    condition.to = QDate(year, 12, 31);
}

QDate AddressSearch::historyDate(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{4})[/-](\\d{1,2})[/-](\\d{1,2})"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return QDate();
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

std::vector<bool> AddressSearch::historyMatches(const CAddressData& group,
                                                const HistoryCondition& criteria)
{
    const int n = group.recordCount();
    std::vector<bool> has(size_t(n), false);
    // The history rows are few next to the records: collect the keys of matching rows
    // once, then look each record's entry number up.
    QSet<QString> keys;
    const bool ranged = criteria.from.isValid() || criteria.to.isValid();
    for (int h = 0; h < group.historyCount(); ++h) {
        const QString key = group.history(h, C::HistoryKey);
        if (key.isEmpty() || keys.contains(key))
            continue;
        if (!criteria.subject.isEmpty() &&
            !group.history(h, C::HistorySubject).contains(criteria.subject))
            continue;
        if (ranged) {
            const QDate d = historyDate(group.history(h, C::HistoryDate));
            if (!d.isValid())
                continue;
            if (criteria.from.isValid() && d < criteria.from)
                continue;
            if (criteria.to.isValid() && d > criteria.to)
                continue;
        }
        keys.insert(key);
    }
    if (keys.isEmpty())
        return has;
    for (int i = 0; i < n; ++i) {
        const QStringView key = group.fieldView(i, C::EntryNumber);
        if (!key.isEmpty() && keys.contains(key.toString()))
            has[size_t(i)] = true;
    }
    return has;
}
