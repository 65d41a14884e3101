// CSV rows as print data on a large file: reading and splitting 100,000 lines of 10
// columns (what opening "CSV差込印刷" costs before its table shows), the texts of one
// screen of rows, sorting by a header click, and placing 500 rows onto the pages. And the
// memory that a 100 MB file of nothing but line breaks takes the CSV readers (every line
// would be a string of its own, so it is where a file within the size limit costs most)
// and a 100 MB file of address rows. Target: under twice the file's size and 100 MB.

#include "ChildMemory.h"

#include "address/AddressCsvImport.h"
#include "address/CsvRowTable.h"
#include "base/TextCodec.h"
#include "datasource/CsvDataModel.h"
#include "datasource/CsvDataTable.h"
#include "datasource/CsvPlacement.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <numeric>

namespace {

constexpr int kLines = 100000;
constexpr int kColumns = 10;

const char16_t* const kNames[] = {u"佐藤", u"鈴木", u"高橋", u"田中", u"伊藤", u"渡辺"};
const char16_t* const kCities[] = {u"東京都世田谷区", u"神奈川県横浜市港北区", u"大阪府大阪市北区",
                                   u"愛知県名古屋市中区", u"福岡県福岡市博多区"};

// One CP932 file of kLines lines, some fields quoted with a comma inside; made once.
const QString& largeFile()
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    QString text;
    text.reserve(kLines * 80);
    for (int r = 0; r < kLines; ++r) {
        text += QString::number(r + 1);
        text += u',';
        text += QString::fromUtf16(kNames[r % 6]);
        text += QStringLiteral("　太郎,");
        text += QStringLiteral("%1-%2,").arg(100 + r % 900).arg(1000 + r % 9000);
        text += u'"';
        text += QString::fromUtf16(kCities[r % 5]);
        text += QStringLiteral(",%1-%2\",").arg(r % 30 + 1).arg(r % 12 + 1);
        for (int c = 4; c < kColumns; ++c) {
            text += QStringLiteral("f%1").arg((r * 7 + c) % 1000);
            text += c + 1 < kColumns ? u',' : u'\n';
        }
    }
    path = dir.filePath(QStringLiteral("large.csv"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return path;
    f.write(TextCodec::encode(text));
    return path;
}

const CsvDataTable& largeTable()
{
    static std::unique_ptr<CsvDataTable> table;
    if (!table) {
        QStringList lines;
        CsvDataTable::readLines(largeFile(), &lines);
        table = std::make_unique<CsvDataTable>(std::move(lines));
    }
    return *table;
}

void BM_CsvOpenLargeFile(benchmark::State& state)
{
    const QString& path = largeFile();
    for (auto _ : state) {
        QStringList lines;
        CsvDataTable::readLines(path, &lines);
        int reports = 0;
        CsvDataModel model(CsvDataTable(std::move(lines), [&](int, int) { ++reports; }));
        benchmark::DoNotOptimize(model.rowCount());
        benchmark::DoNotOptimize(reports);
    }
    state.counters["rows"] = kLines;
}
BENCHMARK(BM_CsvOpenLargeFile)->Unit(benchmark::kMillisecond);

void BM_CsvScreenOfRows(benchmark::State& state)
{
    CsvDataModel model{CsvDataTable(largeTable())};
    int top = 0;
    for (auto _ : state) {
        for (int r = top; r < top + 40; ++r) {
            for (int c = 0; c < kColumns; ++c)
                benchmark::DoNotOptimize(model.data(model.index(r, c)));
        }
        top = (top + 997) % (kLines - 40);
    }
}
BENCHMARK(BM_CsvScreenOfRows)->Unit(benchmark::kMicrosecond);

void BM_CsvSortByColumn(benchmark::State& state)
{
    CsvDataModel model{CsvDataTable(largeTable())};
    bool ascending = true;
    for (auto _ : state) {
        model.sortRows(1, ascending);
        ascending = !ascending;
    }
}
BENCHMARK(BM_CsvSortByColumn)->Unit(benchmark::kMillisecond);

void BM_CsvPlace500Rows(benchmark::State& state)
{
    QTemporaryDir folder;
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = folder.path();
    doc.newDocument();
    CLabelSheetTemplate& t = doc.labelTemplate();
    t.sheets.clear();
    for (int s = 0; s < 10; ++s) {
        Sheet sheet;
        sheet.rect =
            Rect{(s % 2) * 1050, -(s / 2) * 594, (s % 2) * 1050 + 1000, -(s / 2) * 594 - 550};
        t.sheets.append(sheet);
    }
    for (int c = 1; c <= 4; ++c) {
        TextRect r;
        r.rect = Rect{50, -50 - c * 100, 900, -130 - c * 100};
        r.attribute = QStringLiteral("@%1(CSV)").arg(c);
        t.regions.append(r);
    }
    QList<int> rows(CsvPlacement::MaxRows);
    std::iota(rows.begin(), rows.end(), 0);
    for (auto _ : state)
        CsvPlacement::place(doc, largeTable(), rows, QDate(2027, 1, 1), nullptr);
}
BENCHMARK(BM_CsvPlace500Rows)->Unit(benchmark::kMillisecond);

// 100 MB of LF, written once in pieces.
const QString& lineBreaksFile()
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    const QString name = dir.filePath(QStringLiteral("breaks.csv"));
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly))
        return path;
    const QByteArray piece(1 << 20, '\n');
    for (int i = 0; i < 100; ++i) {
        if (f.write(piece) != piece.size())
            return path;
    }
    path = name;
    return path;
}

// About 100 MB of address rows as a spreadsheet exports them (CP932, about 200 bytes a
// line, some fields quoted), written once in pieces of 1 MB.
const QString& realRowsFile()
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty())
        return path;
    QString text;
    for (int r = 0; text.size() < (1 << 19); ++r) {
        text += QStringLiteral("%1,%2　太郎,%3-%4,\"%5,%6-%7\",株式会社サンプル商事,営業部,")
                    .arg(r + 1)
                    .arg(QString::fromUtf16(kNames[r % 6]))
                    .arg(100 + r % 900)
                    .arg(1000 + r % 9000)
                    .arg(QString::fromUtf16(kCities[r % 5]))
                    .arg(r % 30 + 1)
                    .arg(r % 12 + 1);
        text += QStringLiteral("03-1234-%1,年賀状　毎年の取引先　挨拶状あり,2026/01/01\n")
                    .arg(r % 10000, 4, 10, QLatin1Char('0'));
    }
    const QByteArray piece = TextCodec::encode(text);
    const QString name = dir.filePath(QStringLiteral("rows.csv"));
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly))
        return path;
    for (qint64 written = 0; written < 100 << 20; written += piece.size()) {
        if (f.write(piece) != piece.size())
            return path;
    }
    path = name;
    return path;
}

// The most memory the CSV readers take for a file: argument 0 reads it as CSV data (and
// splits it into the table), 1 as the address book's import reads its lines, 2 the same
// and the import window's row table. Measured in a child.
void peakMemory(benchmark::State& state, const QString& path)
{
    if (path.isEmpty()) {
        state.SkipWithError("could not write the file");
        return;
    }
    const bool import = state.range(0) >= 1;
    const bool rowTable = state.range(0) == 2;
    ChildMemory::Growth m;
    for (auto _ : state) {
        m = ChildMemory::measure([&] {
            auto* lines = new QStringList; // left for _exit to drop
            if (import) {
                if (AddressCsvImport::readLines(path, lines).isEmpty() && rowTable)
                    new CsvRowTable(*lines);
            } else if (CsvDataTable::readLines(path, lines).isEmpty()) {
                new CsvDataTable(std::move(*lines));
            }
            return true;
        });
    }
    if (m.peak < 0) {
        state.SkipWithError("could not measure the child's memory");
        return;
    }
    const double size = double(QFileInfo(path).size());
    state.counters["peak_MB"] = double(m.peak) / 1e6;
    state.counters["peak_x_file"] = double(m.peak) / size;
}

void BM_CsvLineBreaksPeakMemory(benchmark::State& state)
{
    peakMemory(state, lineBreaksFile());
}
BENCHMARK(BM_CsvLineBreaksPeakMemory)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

void BM_CsvRealRowsPeakMemory(benchmark::State& state)
{
    peakMemory(state, realRowsFile());
}
BENCHMARK(BM_CsvRealRowsPeakMemory)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace
