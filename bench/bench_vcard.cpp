// Contact files: reading a phone's file of 10,000 cards (target: under 1 s), appending
// them to a group, and writing a group of 10,000 records as cards.

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "address/VCardReader.h"
#include "address/VCardWriter.h"
#include "addressbook/VCardExchange.h"
#include "base/TextCodec.h"

#include <benchmark/benchmark.h>

#include <numeric>

namespace {

constexpr int kCards = 10000;

// 3.0 cards as a phone writes them, every fifth one a 2.1 card in Shift_JIS with
// QUOTED-PRINTABLE values; made once.
const QByteArray& phoneFile()
{
    static QByteArray bytes;
    if (!bytes.isEmpty())
        return bytes;
    for (int i = 0; i < kCards; ++i) {
        if (i % 5 == 4) {
            bytes += "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:";
            for (char c : TextCodec::encode(QStringLiteral("鈴木;花子%1;;;").arg(i)))
                bytes += '=' + QByteArray::number(uchar(c), 16).toUpper();
            bytes += "\r\nSOUND;X-IRMC-N;CHARSET=SHIFT_JIS:" +
                     TextCodec::encode(QStringLiteral("ｽｽﾞｷ;ﾊﾅｺ;;;")) +
                     "\r\nTEL;CELL:080-1111-2222\r\nEND:VCARD\r\n";
            continue;
        }
        bytes += QStringLiteral(
                     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎%1;;;\r\nFN:山田 太郎%1\r\n"
                     "X-PHONETIC-LAST-NAME:やまだ\r\nX-PHONETIC-FIRST-NAME:たろう\r\n"
                     "TEL;type=CELL;type=VOICE;type=pref:090-1234-%1\r\n"
                     "TEL;type=HOME;type=VOICE:03-1234-5678\r\n"
                     "EMAIL;type=INTERNET;type=HOME:taro%1@example.jp\r\n"
                     "item1.ADR;type=HOME;type=pref:;;中野1-2-3;中野区;東京都;1640001;日本\r\n"
                     "ORG:株式会社サンプル;営業部\r\nBDAY:1980-04-07\r\n"
                     "NOTE:長めの備考がここに入ります。折り返しのある行も読みます。\r\n"
                     "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAgGBgcGBQgH\r\n"
                     " BwcJCQgKDBQNDAsLDBkSEw8UHRofHh0aHBwgJC4nICIsIxwcKDcpLDAxNDQ0Hyc5PTgyPC4z\r\n"
                     "END:VCARD\r\n")
                     .arg(i)
                     .toUtf8();
    }
    return bytes;
}

void BM_ReadTenThousandCards(benchmark::State& state)
{
    const QByteArray& bytes = phoneFile();
    for (auto _ : state) {
        const VCardReader::Result result = VCardReader::read(bytes);
        if (result.records.recordCount() != kCards)
            state.SkipWithError("cards lost");
        benchmark::DoNotOptimize(result.records.flags().data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadTenThousandCards)->Unit(benchmark::kMillisecond);

// Reading and appending to a group, as "vCardの読み込み" does after its question.
void BM_ImportTenThousandCards(benchmark::State& state)
{
    const QByteArray& bytes = phoneFile();
    for (auto _ : state) {
        AddressBook book;
        const VCardReader::Result result = VCardReader::read(bytes);
        if (VCardExchange::appendRecords(book, 0, result.records) != kCards)
            state.SkipWithError("cards lost");
    }
}
BENCHMARK(BM_ImportTenThousandCards)->Unit(benchmark::kMillisecond);

void BM_WriteTenThousandCards(benchmark::State& state)
{
    AddressBook book;
    VCardExchange::appendRecords(book, 0, VCardReader::read(phoneFile()).records);
    QList<int> order(kCards);
    std::iota(order.begin(), order.end(), 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(VCardWriter::write(book.group(0), order).size());
}
BENCHMARK(BM_WriteTenThousandCards)->Unit(benchmark::kMillisecond);

} // namespace
