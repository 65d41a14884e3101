// Undo speed and memory for a large print job: 2,000 address records and 42 data-mode
// pages of 12 sheets with 10 text regions each (504 sheets, 5,040 regions). Every editing
// command takes a step before it changes anything, so taking one must stay well under
// what a user notices (target 5 ms); undo keeps the present for redo and restores the
// whole document (target 15 ms at any depth); 100 steps are held in under 150 MB.

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/SettingsProfile.h"
#include "model/UndoSnapshots.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kPages = 42;
constexpr int kSheetsPerPage = 12;
constexpr int kRegionsPerSheet = 10;
constexpr int kRecords = 2000;

const char16_t* const kFamilies[] = {u"佐藤", u"鈴木", u"高橋", u"田中", u"伊藤", u"渡辺",
                                     u"山本", u"中村", u"小林", u"加藤", u"吉田", u"山田"};
const char16_t* const kGiven[] = {u"太郎", u"花子", u"一郎", u"美咲", u"健太", u"陽菜",
                                  u"翔太", u"結衣", u"大輔", u"さくら"};
const char16_t* const kTowns[] = {u"東京都世田谷区桜新町", u"神奈川県横浜市港北区日吉",
                                  u"大阪府大阪市北区梅田", u"愛知県名古屋市中区栄",
                                  u"北海道札幌市中央区北一条", u"福岡県福岡市博多区博多駅前"};

// The ten fields of one label, in region order.
const char16_t* const kFields[kRegionsPerSheet] = {
    u"郵便番号(R)", u"住所1(R)", u"住所2(R)", u"氏名(R)", u"敬称(R)",
    u"連名1(R)",    u"郵便番号(S)", u"住所1(S)", u"氏名(S)", u"固定文"};

QString str(const char16_t* s) { return QString::fromUtf16(s); }

QStringList recordValues(int i)
{
    QStringList v(CAddressData::TextColumnCount);
    const QString name = str(kFamilies[i % 12]) + u'　' + str(kGiven[(i / 12) % 10]);
    v[CAddressData::EntryNumber] = QStringLiteral("A-%1").arg(i + 1);
    v[CAddressData::PostalCode] = QStringLiteral("%1-%2").arg(100 + i % 900).arg(1000 + i, 4, 10, QChar(u'0'));
    v[CAddressData::Address1] = str(kTowns[i % 6]) + QStringLiteral("%1-%2-%3").arg(1 + i % 5).arg(1 + i % 30).arg(1 + i % 20);
    if (i % 2)
        v[CAddressData::Address2] = QStringLiteral("コーポ若葉%1号室").arg(100 + i % 400);
    v[CAddressData::Name] = name;
    v[CAddressData::Honorific] = QStringLiteral("様");
    v[CAddressData::Reading] = QStringLiteral("ヤマダ　タロウ");
    v[CAddressData::Phone1] = QStringLiteral("03-%1-%2").arg(1000 + i % 9000).arg(2000 + i % 7000);
    v[CAddressData::Mail1] = QStringLiteral("user%1@example.jp").arg(i);
    if (i % 3 == 0) {
        v[CAddressData::Company] = QStringLiteral("株式会社みどり商事");
        v[CAddressData::Department] = QStringLiteral("営業部");
    }
    return v;
}

Rect sheetRect(int s)
{
    // A4 with 2 columns × 6 rows of 86.4 × 42.3 mm labels.
    const int col = s % 2, row = s / 2;
    return Rect{90 + 1016 * col, -214 - 423 * row, 90 + 1016 * col + 864, -214 - 423 * (row + 1)};
}

Rect regionRect(const Rect& sheet, int k)
{
    const int top = sheet.top - 20 - 38 * k;
    return Rect{sheet.left + 30, top, sheet.right - 30, top - 34};
}

TextRect regionOf(const Rect& sheet, int k)
{
    TextRect r;
    r.font = FontRecord::make(QStringLiteral("ＭＳ 明朝"), -34, 0);
    r.rect = regionRect(sheet, k);
    r.attribute = str(kFields[k]);
    r.borderColor = 0;
    return r;
}

// The document of a large print job, built family by family.
void buildLargeDocument(CORINOTEDoc& doc)
{
    doc.newDocument();
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    t.regions.clear();
    for (int s = 0; s < kSheetsPerPage; ++s) {
        Sheet sheet;
        sheet.rect = sheetRect(s);
        t.sheets.append(sheet);
    }
    for (int k = 0; k < kRegionsPerSheet; ++k)
        t.regions.append(regionOf(sheetRect(0), k));

    AddressBook& book = doc.addressBook();
    for (int i = 0; i < kRecords; ++i) {
        CAddressData& group = book.group(i % 19);
        group.appendRecord(recordValues(i));
        group.setFlag(group.recordCount() - 1, i < kPages * kSheetsPerPage ? 1 : 0);
        if (i % 5 == 0)
            group.appendHistory(QStringLiteral("A-%1").arg(i + 1), QStringLiteral("年賀状"),
                                QStringLiteral("2024/01/01"), QString());
    }
    doc.recordList() = book.buildRecordList(1);

    doc.sheets().clear();
    doc.textRects().clear();
    doc.keisenns().clear();
    int sheetNo = 0;
    for (int p = 0; p < kPages; ++p) {
        for (int s = 0; s < kSheetsPerPage; ++s) {
            ++sheetNo;
            Sheet sheet = t.sheets.at(s);
            doc.sheets().append(sheet);
            const CAddressData& list = doc.recordList();
            const int record = sheetNo - 1;
            for (int k = 0; k < kRegionsPerSheet; ++k) {
                TextRect r = regionOf(sheet.rect, k);
                r.sheetNo = r.orderSheetNo = sheetNo;
                switch (k) {
                case 0: r.text = list.field(record, CAddressData::PostalCode); break;
                case 1: r.text = list.field(record, CAddressData::Address1); break;
                case 2: r.text = list.field(record, CAddressData::Address2); break;
                case 3: r.text = list.field(record, CAddressData::Name); break;
                case 4: r.text = list.field(record, CAddressData::Honorific); break;
                case 9: r.text = r.attribute; break;
                default: r.text = QStringLiteral("差出人 %1").arg(k); break;
                }
                doc.textRects().append(r);
            }
        }
    }
}

struct Job
{
    QTemporaryDir dir;
    std::unique_ptr<SettingsProfile> profile;
    std::unique_ptr<CORINOTEDoc> doc;
    qint64 snapshotBytes = 0;
};

Job& job()
{
    static const std::unique_ptr<Job> j = [] {
        auto j = std::make_unique<Job>();
        j->profile = std::make_unique<SettingsProfile>(j->dir.filePath(QStringLiteral("b.ini")));
        j->doc = std::make_unique<CORINOTEDoc>(j->profile.get());
        j->doc->dataFolder = j->dir.path();
        buildLargeDocument(*j->doc);
        j->doc->takeUndoSnapshot();
        j->snapshotBytes = j->doc->undoSnapshots().bytes();
        return j;
    }();
    return *j;
}

bool sizesAsBuilt(const CORINOTEDoc& doc)
{
    return doc.sheets().size() == kPages * kSheetsPerPage &&
           doc.textRects().size() == kPages * kSheetsPerPage * kRegionsPerSheet &&
           doc.addressBook().group(0).recordCount() > 0;
}

void addCounters(benchmark::State& state, const Job& j)
{
    state.counters["step_MB"] = double(j.snapshotBytes) / 1e6;
    state.counters["regions"] = double(j.doc->textRects().size());
}

// ---------------------------------------------------------------------------------------

void BM_TakeSnapshot(benchmark::State& state)
{
    Job& j = job();
    for (auto _ : state)
        j.doc->takeUndoSnapshot();
    if (j.doc->undoAvailable != 1)
        state.SkipWithError("no step was kept");
    addCounters(state, j);
}
BENCHMARK(BM_TakeSnapshot)->Unit(benchmark::kMillisecond)->UseRealTime();

// A full history of 100 steps, each after a small edit (a region moved by 0.1 mm).
void fillHistory(CORINOTEDoc& doc)
{
    doc.clearUndo();
    for (int i = 0; i < 100; ++i) {
        doc.takeUndoSnapshot(QStringLiteral("移動"));
        Rect r = doc.textRects().rect(i);
        r.left += 1;
        r.right += 1;
        doc.textRects().setRect(i, r);
    }
}

// Undo at the bottom of a full history; the redo after each one is not timed, so every
// iteration undoes at the same depth.
void BM_Undo(benchmark::State& state)
{
    Job& j = job();
    fillHistory(*j.doc);
    for (auto _ : state) {
        if (!j.doc->undoSnapshots().undo(*j.doc)) {
            state.SkipWithError("nothing to undo");
            break;
        }
        state.PauseTiming();
        j.doc->undoSnapshots().redo(*j.doc);
        state.ResumeTiming();
    }
    if (!sizesAsBuilt(*j.doc) || j.doc->undoSnapshots().undoCount() != 100)
        state.SkipWithError("undo did not restore the document");
    addCounters(state, j);
}
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Redo(benchmark::State& state)
{
    Job& j = job();
    fillHistory(*j.doc);
    j.doc->undo();
    for (auto _ : state) {
        if (!j.doc->undoSnapshots().redo(*j.doc)) {
            state.SkipWithError("nothing to redo");
            break;
        }
        state.PauseTiming();
        j.doc->undoSnapshots().undo(*j.doc);
        state.ResumeTiming();
    }
    if (!sizesAsBuilt(*j.doc) || j.doc->undoSnapshots().redoCount() != 1)
        state.SkipWithError("redo did not restore the document");
    addCounters(state, j);
}
BENCHMARK(BM_Redo)->Unit(benchmark::kMillisecond)->UseRealTime();

// The memory 100 steps of the large job take (target: under 150 MB).
void BM_HundredStepsMemory(benchmark::State& state)
{
    Job& j = job();
    for (auto _ : state)
        fillHistory(*j.doc);
    state.counters["steps"] = double(j.doc->undoSnapshots().undoCount());
    state.counters["held_MB"] = double(j.doc->undoSnapshots().bytes()) / 1e6;
    addCounters(state, j);
}
BENCHMARK(BM_HundredStepsMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same work without the file system: formatting and parsing the body alone.
void BM_WriteBodyToMemory(benchmark::State& state)
{
    Job& j = job();
    QByteArray bytes;
    bytes.reserve(j.snapshotBytes);
    for (auto _ : state) {
        bytes.resize(0);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ArchiveWriter out(&buffer);
        DocumentFile::write(*j.doc, out);
        if (!out.finish()) {
            state.SkipWithError("write failed");
            break;
        }
    }
    addCounters(state, j);
}
BENCHMARK(BM_WriteBodyToMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadBodyFromMemory(benchmark::State& state)
{
    Job& j = job();
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ArchiveWriter out(&buffer);
        DocumentFile::write(*j.doc, out);
        out.finish();
    }
    CORINOTEDoc copy(j.profile.get());
    for (auto _ : state) {
        copy.deleteContents();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        ArchiveReader in(&buffer);
        if (!DocumentFile::read(copy, in)) {
            state.SkipWithError("read failed");
            break;
        }
    }
    if (!sizesAsBuilt(copy))
        state.SkipWithError("the copy differs");
    addCounters(state, j);
}
BENCHMARK(BM_ReadBodyFromMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
