// Merge speed of a full print job: 500 reserved records (the print limit) on a template of
// 12 labels with 10 regions each (42 pages, 504 sheets, 5,040 regions), expanded with
// records and followed by 20 auto-replace rules. Target: under 5 ms for both together.
//
// The regions mix recipient fields, postal digits, sender fields, dates and a page text,
// half of them vertical; the rules mix text searches, numeric ranges, not-found texts,
// colours and a disabled rule, so every path of the rules runs.

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "base/TextCodec.h"
#include "merge/AutoReplacer.h"
#include "merge/MergeExpander.h"
#include "model/AutoReplaceRule.h"
#include "model/CAutoReplaceData.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/PageBuilder.h"
#include "model/TextMeasurer.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kRecords = 500;
constexpr int kSheetsPerPage = 12;
constexpr int kRegionsPerSheet = 10;

const char16_t* const kFamilies[] = {u"佐藤", u"鈴木", u"高橋", u"田中", u"伊藤", u"渡辺",
                                     u"山本", u"中村", u"小林", u"加藤", u"吉田", u"山田"};
const char16_t* const kGiven[] = {u"太郎", u"花子", u"一郎", u"美咲", u"健太", u"陽菜"};
const char16_t* const kHonorifics[] = {u"様", u"殿", u"御中", u"先生", u""};
const char16_t* const kTowns[] = {u"東京都世田谷区桜新町1-2-3", u"神奈川県横浜市港北区日吉4-5",
                                  u"大阪府大阪市北区梅田2-8-1", u"愛知県名古屋市中区栄3-3"};

const char16_t* const kAttributes[kRegionsPerSheet] = {
    u"郵1(R)",  u"郵2(R)",  u"郵3(R)",  u"住所1(R)", u"住所2(R)",
    u"氏名(R)", u"敬称(R)", u"年齢(R)", u"氏名(S)",  u"\"年賀\""};

class FixedAdvanceMeasurer : public TextMeasurer
{
public:
    int textExtent(const QString& text, const FontRecord&, int crossSize) const override
    {
        return TextCodec::byteLength(text) * crossSize / 2;
    }
};

std::unique_ptr<CORINOTEDoc> makeJob(MemoryProfile& profile)
{
    auto doc = std::make_unique<CORINOTEDoc>(&profile);
    CLabelSheetTemplate& t = doc->labelTemplate();
    t.paperRect = Rect{0, 0, 2100, -2970};
    for (int s = 0; s < kSheetsPerPage; ++s) {
        Sheet sheet;
        const int x = (s % 2) * 1050, y = -(s / 2) * 495;
        sheet.rect = Rect{x, y, x + 1050, y - 495};
        t.sheets.append(sheet);
    }
    for (int k = 0; k < kRegionsPerSheet; ++k) {
        TextRect r;
        r.attribute = QString::fromUtf16(kAttributes[k]);
        const bool vertical = k >= 3 && k < 8;
        r.font =
            FontRecord::make(vertical ? QStringLiteral("@ＭＳ 明朝") : QStringLiteral("ＭＳ 明朝"),
                             -60, vertical ? 900 : 0);
        r.rect = vertical ? Rect{900 - 80 * k, -60, 960 - 80 * k, -460}
                          : Rect{40 + 60 * k, -20, 100 + 60 * k, -80};
        t.regions.append(r);
    }
    doc->addressBook()
        .group(AddressBook::SenderGroup)
        .appendRecord({QStringLiteral("SENDER-1"), QStringLiteral("100-0001"),
                       QStringLiteral("東京都千代田区"), QString(), QString(),
                       QStringLiteral("差出一郎")});

    for (int i = 0; i < kRecords; ++i) {
        QStringList values(CAddressData::TextColumnCount);
        values[CAddressData::EntryNumber] = QStringLiteral("A-%1").arg(i + 1);
        values[CAddressData::PostalCode] =
            i % 17
                ? QStringLiteral("%1-%2").arg(100 + i % 900).arg(1000 + i, 4, 10, QLatin1Char('0'))
                : QStringLiteral("1234567");
        values[CAddressData::Address1] = QString::fromUtf16(kTowns[i % 4]);
        values[CAddressData::Address2] = QStringLiteral("コーポ若葉%1号室").arg(100 + i % 50);
        values[CAddressData::Name] =
            QString::fromUtf16(kFamilies[i % 12]) + QString::fromUtf16(kGiven[i % 6]);
        values[CAddressData::Honorific] = QString::fromUtf16(kHonorifics[i % 5]);
        values[CAddressData::Age] = QString::number(18 + i % 60);
        doc->recordList().appendRecord(values);
    }

    // Page 1, then copies of it until every record has a sheet, as pagination builds them.
    PageBuilder::buildPageOne(*doc);
    const int pages = (kRecords + kSheetsPerPage - 1) / kSheetsPerPage;
    const int perPage = doc->textRects().size();
    for (int p = 1; p < pages; ++p) {
        for (int s = 0; s < kSheetsPerPage; ++s)
            doc->sheets().append(doc->sheets().at(s));
        for (int i = 0; i < perPage; ++i) {
            TextRect r = doc->textRects().at(i);
            r.sheetNo += p * kSheetsPerPage;
            r.orderSheetNo += p * kSheetsPerPage;
            doc->textRects().append(r);
        }
    }
    return doc;
}

CAutoReplaceData makeRules()
{
    CAutoReplaceData rules;
    const auto add = [&](const QString& attribute, const QString& search,
                         const QString& replacement, auto&& more) {
        AutoReplaceRule r;
        r.attribute = attribute;
        r.search = search;
        r.replacement = replacement;
        more(r);
        rules.append(r);
    };
    const auto nothing = [](AutoReplaceRule&) {};
    for (int i = 0; i < 4; ++i) {
        add(QStringLiteral("敬称(R)"), QStringLiteral("様;殿"), QStringLiteral("御中"), nothing);
        add(QStringLiteral("敬称(R)"), QStringLiteral("御中"), AutoReplaceRule::keep(),
            [](AutoReplaceRule& r) {
                r.textColor = 0x0000FF;
                r.keepTextColor = 0;
            });
        add(QStringLiteral("年齢(R)"), QStringLiteral("歳"), AutoReplaceRule::keep(),
            [](AutoReplaceRule& r) {
                r.atLeast = QStringLiteral("20");
                r.atMost = QStringLiteral("29");
                r.backColor = 0x00FFFF;
                r.keepBackColor = 0;
                r.notFound = QStringLiteral("対象外");
            });
        add(QStringLiteral("住所1(R)"), QStringLiteral("東京都;大阪府"), QString(),
            [](AutoReplaceRule& r) { r.notFound = QStringLiteral("（県外）"); });
        add(QStringLiteral("氏名(R)"), QStringLiteral("山田"), QStringLiteral("山田"),
            [](AutoReplaceRule& r) { r.enabled = 0; });
    }
    return rules;
}

void runMerge(benchmark::State& state, int fitData, const TextMeasurer* measurer)
{
    MemoryProfile profile;
    auto doc = makeJob(profile);
    doc->environment().fitData = fitData;
    const CAutoReplaceData rules = makeRules();
    const QDate today(2004, 5, 3);
    for (auto _ : state) {
        MergeExpander::expandAll(*doc, rules, today, measurer);
        benchmark::DoNotOptimize(doc->textRects().text(5));
    }
    state.counters["regions"] = doc->textRects().size();
    state.counters["rules"] = rules.count();
}

// The job as pages are built: expand with records, then the 20 rules (target < 5 ms).
void BM_MergeWithRecordsAndRules(benchmark::State& state)
{
    runMerge(state, 0, nullptr);
}
BENCHMARK(BM_MergeWithRecordsAndRules)->Unit(benchmark::kMillisecond);

// The same with every region enlarged to its text ("TROD" 2), measured by a fixed advance:
// the cost of the fitting itself, without font shaping.
void BM_MergeWithRecordsAndRulesEnlarging(benchmark::State& state)
{
    FixedAdvanceMeasurer measurer;
    runMerge(state, 2, &measurer);
}
BENCHMARK(BM_MergeWithRecordsAndRulesEnlarging)->Unit(benchmark::kMillisecond);

// Expanding without records over the same 5,040 regions (entering data mode).
void BM_MergeWithoutRecords(benchmark::State& state)
{
    MemoryProfile profile;
    auto doc = makeJob(profile);
    const QDate today(2004, 5, 3);
    for (auto _ : state) {
        MergeExpander(*doc, today, nullptr).expandWithoutRecords();
        benchmark::DoNotOptimize(doc->textRects().text(5));
    }
}
BENCHMARK(BM_MergeWithoutRecords)->Unit(benchmark::kMillisecond);

} // namespace
