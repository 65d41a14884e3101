// Postal code table: the first load of the national table (target under 50 ms), a lookup
// by code (under 1 ms) and by address, on the file the build converted.

#include "postal/PostalTable.h"

#include <QFileInfo>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

const QString kPath = QStringLiteral(ORINOTE_POSTAL_TABLE);

bool haveTable(benchmark::State& state)
{
    if (QFileInfo(kPath).isFile())
        return true;
    state.SkipWithError("no postal code table in this build");
    return false;
}

const PostalTable& loadedTable()
{
    static PostalTable table;
    if (!table.isLoaded())
        table.load(kPath);
    return table;
}

void BM_PostalLoad(benchmark::State& state)
{
    if (!haveTable(state))
        return;
    for (auto _ : state) {
        PostalTable table;
        benchmark::DoNotOptimize(table.load(kPath));
    }
}
BENCHMARK(BM_PostalLoad)->Unit(benchmark::kMillisecond);

void BM_PostalLookup(benchmark::State& state)
{
    if (!haveTable(state))
        return;
    const PostalTable& table = loadedTable();
    // One town, dozens of towns, a building's floor, unknown; typed in several forms.
    const QStringList codes{QStringLiteral("1640013"), QStringLiteral("452-0961"),
                            QStringLiteral("１００－６０９０"), QStringLiteral("999-9999")};
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(table.addresses(codes.at(i++ % codes.size())));
}
BENCHMARK(BM_PostalLookup)->Unit(benchmark::kMicrosecond);

// The first reverse lookup after loading builds the index of towns by city.
void BM_PostalFirstReverseLookup(benchmark::State& state)
{
    if (!haveTable(state))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        PostalTable table;
        table.load(kPath);
        state.ResumeTiming();
        benchmark::DoNotOptimize(table.codesForAddress(QStringLiteral("東京都中野区弥生町1-2-3")));
    }
}
BENCHMARK(BM_PostalFirstReverseLookup)->Unit(benchmark::kMillisecond);

void BM_PostalReverseLookup(benchmark::State& state)
{
    if (!haveTable(state))
        return;
    const PostalTable& table = loadedTable();
    table.codesForAddress(QStringLiteral("東京都")); // the index, built once
    const QStringList addresses{QStringLiteral("東京都中野区弥生町1-2-3"),
                                QStringLiteral("北海道札幌市中央区大通西5丁目"),
                                QStringLiteral("府中市府中町")};
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(table.codesForAddress(addresses.at(i++ % addresses.size())));
}
BENCHMARK(BM_PostalReverseLookup)->Unit(benchmark::kMicrosecond);

} // namespace
