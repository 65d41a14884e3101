// The most memory the contact readers take for a 100 MB file, measured in a child: a vCard
// file of phone cards (read a piece at a time) and a contact CSV file (Google's layout and
// a Japanese Outlook export), each read whole as --import-contacts reads it. The bound they
// keep: twice the file plus 100 MB; the records themselves are packed.

#include "ChildMemory.h"

#include "address/ContactFileImport.h"
#include "base/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr qint64 kFileBytes = qint64(100) << 20;

// Writes `piece` again and again until the file holds about 100 MB, after `head` once.
QString writeFile(const QString& name, const QByteArray& head, const QByteArray& piece)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(head) != head.size())
        return QString();
    for (qint64 written = head.size(); written < kFileBytes; written += piece.size()) {
        if (f.write(piece) != piece.size())
            return QString();
    }
    return path;
}

QByteArray repeated(const QString& text, int count, bool cp932)
{
    QByteArray out;
    for (int i = 0; i < count; ++i) {
        const QString one = text.arg(i);
        out += cp932 ? TextCodec::encode(one) : one.toUtf8();
    }
    return out;
}

const QString& vcardFile()
{
    static const QString path = writeFile(
        QStringLiteral("cards.vcf"), QByteArray(),
        repeated(QStringLiteral(
                     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎%1;;;\r\nFN:山田 太郎%1\r\n"
                     "X-PHONETIC-LAST-NAME:やまだ\r\nX-PHONETIC-FIRST-NAME:たろう\r\n"
                     "TEL;type=CELL:090-1234-%1\r\nEMAIL;type=HOME:taro%1@example.jp\r\n"
                     "item1.ADR;type=HOME:;;中野1-2-3;中野区;東京都;1640001;日本\r\n"
                     "NOTE:長めの備考がここに入ります。\r\n"
                     "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAgGBgcGBQgH\r\n"
                     " BwcJCQgKDBQNDAsLDBkSEw8UHRofHh0aHBwgJC4nICIsIxwcKDcpLDAxNDQ0Hyc5PTgyPC4z\r\n"
                     "END:VCARD\r\n"),
                 1000, false));
    return path;
}

const QString& googleFile()
{
    static const QString path = writeFile(
        QStringLiteral("google.csv"),
        "First Name,Last Name,Phonetic First Name,Phonetic Last Name,Notes,E-mail 1 - Label,"
        "E-mail 1 - Value,Phone 1 - Label,Phone 1 - Value,Address 1 - Label,Address 1 - Street,"
        "Address 1 - City,Address 1 - Region,Address 1 - Postal Code\n",
        repeated(QStringLiteral("太郎%1,山田,たろう,やまだ,\"メモ、長めの備考\",* Home,"
                                "taro%1@example.jp,Mobile,090-1234-%1,Home,中野1-2-3,中野区,東京都,"
                                "164-0001\n"),
                 1000, false));
    return path;
}

const QString& outlookFile()
{
    static const QString path = writeFile(
        QStringLiteral("outlook.csv"),
        TextCodec::encode(QStringLiteral(
            "\"名\",\"姓\",\"会社名\",\"番地 (自宅)\",\"住所 2 (自宅)\",\"市区町村 (自宅)\","
            "\"都道府県 (自宅)\",\"郵便番号 (自宅)\",\"携帯電話\",\"電子メール アドレス\","
            "\"メモ\",\"姓フリガナ\",\"名前フリガナ\"\r\n")),
        repeated(QStringLiteral("\"大輔%1\",\"石川\",\"石川設計\",\"厚別東一条1-1\",\"コーポ\","
                                "\"札幌市厚別区\",\"北海道\",\"004-0001\",\"090-6666-7777\","
                                "\"d%1@example.jp\",\"取引先\",\"イシカワ\",\"ダイスケ\"\r\n"),
                 1000, true));
    return path;
}

void peakMemory(benchmark::State& state, const QString& path)
{
    if (path.isEmpty()) {
        state.SkipWithError("could not write the file");
        return;
    }
    ChildMemory::Growth m;
    for (auto _ : state) {
        m = ChildMemory::measure([&] {
            auto* read = new ContactFileImport::Result(ContactFileImport::read(path));
            return read->contacts.error.isEmpty() && read->contacts.records.recordCount() > 0;
        });
    }
    if (m.peak < 0) {
        state.SkipWithError("could not read the file or measure the child");
        return;
    }
    const double size = double(QFileInfo(path).size());
    state.counters["peak_MB"] = double(m.peak) / 1e6;
    state.counters["peak_x_file"] = double(m.peak) / size;
}

void BM_ContactVCardPeakMemory(benchmark::State& state)
{
    peakMemory(state, vcardFile());
}
BENCHMARK(BM_ContactVCardPeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_ContactGoogleCsvPeakMemory(benchmark::State& state)
{
    peakMemory(state, googleFile());
}
BENCHMARK(BM_ContactGoogleCsvPeakMemory)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

void BM_ContactOutlookCsvPeakMemory(benchmark::State& state)
{
    peakMemory(state, outlookFile());
}
BENCHMARK(BM_ContactOutlookCsvPeakMemory)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace
