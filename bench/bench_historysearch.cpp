// Searching a large group by send/receive history.

#include "address/CAddressData.h"
#include "addressbook/AddressSearch.h"

#include <benchmark/benchmark.h>

namespace {

// 100,000 records; every third has last year's card, every seventh a mourning notice.
const CAddressData& bigGroup()
{
    static const CAddressData group = [] {
        CAddressData g;
        QStringList values(CAddressData::TextColumnCount);
        for (int i = 0; i < 100000; ++i) {
            const QString key = QStringLiteral("A-%1").arg(i + 1);
            values[CAddressData::EntryNumber] = key;
            values[CAddressData::Name] = QStringLiteral("名前%1").arg(i);
            g.appendRecord(values);
            if (i % 3 == 0)
                g.appendHistory(key, QStringLiteral("送信-年賀状"), QStringLiteral("2025/01/02"),
                                QString());
            if (i % 7 == 0)
                g.appendHistory(key, QStringLiteral("受信-喪中"), QStringLiteral("2026/11/02"),
                                QString());
        }
        return g;
    }();
    return group;
}

void BM_HistorySearch100k(benchmark::State& state)
{
    const CAddressData& g = bigGroup();
    AddressSearch::Criteria c;
    c.relation = AddressSearch::relationChoices().first();
    AddressSearch::HistoryCondition h;
    h.subject = QStringLiteral("送信-年賀状");
    AddressSearch::setHistoryYear(h, 2025);
    c.history.append(h);
    for (auto _ : state)
        benchmark::DoNotOptimize(AddressSearch::matchGroup(g, c));
}
BENCHMARK(BM_HistorySearch100k)->Unit(benchmark::kMillisecond);

} // namespace
