// The address book window's list on a large group: filling a group tab and "すべて", the
// first fill of a book whose ages are out of date, sorting by a header click, the texts of
// one screen of rows, and the search.
//
// One group of 10,000 records (group 1, か) and 200 records in each of the other
// correspondent groups, made up from small word tables; always the same book.

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "addressbook/AddressListRows.h"
#include "addressbook/AddressSearch.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"

#include <QDate>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using C = CAddressData;

constexpr int kLargeGroup = 1;
constexpr int kLargeCount = 10000;
constexpr int kSmallCount = 200;
const QDate kToday(2024, 6, 1);

const char16_t* const kSurnames[] = {u"佐藤", u"鈴木", u"高橋", u"田中", u"伊藤", u"渡辺",
                                     u"山本", u"中村", u"小林", u"加藤", u"吉田", u"山田"};
const char16_t* const kSurnameKana[] = {u"サトウ",   u"スズキ",   u"タカハシ", u"タナカ",
                                        u"イトウ",   u"ワタナベ", u"ヤマモト", u"ナカムラ",
                                        u"コバヤシ", u"カトウ",   u"ヨシダ",   u"ヤマダ"};
const char16_t* const kGiven[] = {u"太郎", u"花子", u"一郎", u"美咲", u"健太", u"陽菜", u"翔太"};
const char16_t* const kGivenKana[] = {u"タロウ", u"ハナコ", u"イチロウ", u"ミサキ",
                                      u"ケンタ", u"ヒナ",   u"ショウタ"};
const char16_t* const kCities[] = {u"東京都世田谷区", u"神奈川県横浜市港北区", u"大阪府大阪市北区",
                                   u"愛知県名古屋市中区", u"福岡県福岡市博多区"};

class Dice
{
public:
    explicit Dice(quint64 seed) : mState(seed * 0x9E3779B97F4A7C15ull + 1) {}
    int below(int n)
    {
        mState ^= mState << 13;
        mState ^= mState >> 7;
        mState ^= mState << 17;
        return int(quint32(mState >> 16) % quint32(n));
    }

private:
    quint64 mState;
};

QStringList makeRecord(Dice& dice, const QString& entry)
{
    QStringList v(C::TextColumnCount);
    const int s = dice.below(12);
    const int g = dice.below(7);
    v[C::EntryNumber] = entry;
    v[C::Name] = QString::fromUtf16(kSurnames[s]) + u'　' + QString::fromUtf16(kGiven[g]);
    v[C::Reading] = QString::fromUtf16(kSurnameKana[s]) + u'　' + QString::fromUtf16(kGivenKana[g]);
    v[C::Honorific] = u"様"_qs;
    v[C::PostalCode] = QStringLiteral("%1-%2")
                           .arg(100 + dice.below(900))
                           .arg(dice.below(10000), 4, 10, QChar(u'0'));
    v[C::Address1] = QString::fromUtf16(kCities[dice.below(5)]) +
                     QString::number(dice.below(9) + 1) + u"-"_qs +
                     QString::number(dice.below(30) + 1);
    v[C::Address2] = u"ハイツ"_qs + QString::number(100 + dice.below(400)) + u"号室"_qs;
    v[C::Phone1] =
        QStringLiteral("03-%1-%2").arg(1000 + dice.below(9000)).arg(1000 + dice.below(9000));
    v[C::Mail1] = QStringLiteral("user%1@example.jp").arg(dice.below(100000));
    v[C::Sex] = dice.below(2) ? u"男性"_qs : u"女性"_qs;
    v[C::BirthDate] = QString::asprintf("%04d/%02d/%02d", 1940 + dice.below(70), 1 + dice.below(12),
                                        1 + dice.below(28));
    v[C::Note1] = dice.below(4) == 0 ? u"年賀状のみ"_qs : QString();
    return v;
}

// The book, built once and shared by every benchmark: a copy per run would dominate the
// figures.
struct Book
{
    MemoryProfile profile;
    std::unique_ptr<CORINOTEDoc> doc;

    Book()
    {
        doc = std::make_unique<CORINOTEDoc>(&profile);
        Dice dice(7);
        AddressBook& book = doc->addressBook();
        for (int g = 0; g < AddressBook::SenderGroup; ++g) {
            const int n = g == kLargeGroup ? kLargeCount : kSmallCount;
            for (int i = 0; i < n; ++i) {
                book.group(g).appendRecord(
                    makeRecord(dice, AddressBook::entryPrefix(g) + QString::number(i + 1)));
                if (dice.below(10) == 0)
                    book.group(g).setFlag(i, 1);
            }
        }
        // Bring the ages up to date once, as the first opening of the window does.
        AddressListRows rows;
        rows.fill(*doc, AddressListRows::AllTab, kToday);
    }
};

Book& book()
{
    static Book b;
    return b;
}

void BM_FillGroupTab(benchmark::State& state)
{
    CORINOTEDoc& doc = *book().doc;
    AddressListRows rows;
    for (auto _ : state) {
        rows.fill(doc, kLargeGroup, kToday);
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["rows"] = rows.size();
}
BENCHMARK(BM_FillGroupTab)->Unit(benchmark::kMillisecond);

void BM_FillAllTab(benchmark::State& state)
{
    CORINOTEDoc& doc = *book().doc;
    AddressListRows rows;
    for (auto _ : state) {
        rows.fill(doc, AddressListRows::AllTab, kToday);
        benchmark::DoNotOptimize(rows.size());
    }
    state.counters["rows"] = rows.size();
}
BENCHMARK(BM_FillAllTab)->Unit(benchmark::kMillisecond);

// The first fill of a group whose ages were never computed (an imported book): every
// age of the group is written, each changing the length of its entry.
void BM_FillGroupTabAgesUnset(benchmark::State& state)
{
    CORINOTEDoc& doc = *book().doc;
    const CAddressData current = doc.addressBook().group(kLargeGroup);
    CAddressData unset = current;
    for (int i = unset.recordCount() - 1; i >= 0; --i)
        unset.setField(i, C::Age, QString());
    AddressListRows rows;
    for (auto _ : state) {
        state.PauseTiming();
        doc.addressBook().group(kLargeGroup) = unset;
        state.ResumeTiming();
        rows.fill(doc, kLargeGroup, kToday);
        benchmark::DoNotOptimize(rows.size());
    }
    doc.addressBook().group(kLargeGroup) = current;
}
BENCHMARK(BM_FillGroupTabAgesUnset)->Unit(benchmark::kMillisecond);

// A header click on a column of the 10,000-row tab: 1 氏名, 3 フリガナ, 5 住所1, 21 年齢.
void BM_SortByColumn(benchmark::State& state)
{
    CORINOTEDoc& doc = *book().doc;
    const int column = int(state.range(0));
    AddressListRows rows;
    for (auto _ : state) {
        state.PauseTiming();
        rows.fill(doc, kLargeGroup, kToday);
        state.ResumeTiming();
        rows.sortByColumn(doc.addressBook(), column, false);
        benchmark::DoNotOptimize(rows.row(0));
    }
}
BENCHMARK(BM_SortByColumn)->Arg(1)->Arg(3)->Arg(5)->Arg(21)->Unit(benchmark::kMillisecond);

// What one screen of the list asks for: 40 rows of 47 texts, at the end of the tab.
void BM_TextsOfOneScreen(benchmark::State& state)
{
    CORINOTEDoc& doc = *book().doc;
    AddressListRows rows;
    rows.fill(doc, kLargeGroup, kToday);
    for (auto _ : state) {
        for (int r = rows.size() - 40; r < rows.size(); ++r) {
            for (int c = 0; c < AddressListRows::ColumnCount; ++c)
                benchmark::DoNotOptimize(rows.text(doc.addressBook(), r, c));
        }
    }
}
BENCHMARK(BM_TextsOfOneScreen)->Unit(benchmark::kMicrosecond);

// Search of all groups: OR over two words of 氏名 and a reservation condition.
void BM_SearchOr(benchmark::State& state)
{
    CORINOTEDoc& doc = *book().doc;
    AddressSearch::Criteria c;
    c.useOr = true;
    c.relation = AddressSearch::relationChoices().first();
    c.fields[0] = 1;
    c.keywords[0] = u"花子 山本"_qs;
    c.reservation = AddressSearch::Reserved;
    qsizetype found = 0;
    for (auto _ : state) {
        found = 0;
        for (int g = 0; g < AddressBook::SenderGroup; ++g)
            found += AddressSearch::matchGroup(doc.addressBook().group(g), c).size();
    }
    state.counters["found"] = double(found);
}
BENCHMARK(BM_SearchOr)->Unit(benchmark::kMillisecond);

} // namespace
