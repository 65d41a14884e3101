// Load and store speed of a large address book, and the memory a load takes.
//
// The book is 20 groups of 5,000 records made up from small word tables: names in kanji
// with katakana readings, addresses, postal codes, phones and mail, about half of the
// fields filled, some history rows and reservations. Always the same book for the same
// build, so figures compare between runs.

#include "ChildMemory.h"

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kRecordsPerGroup = 5000;

// ---------------------------------------------------------------------------------------
// Word tables

struct Surname
{
    const char16_t* kanji;
    const char16_t* kana;
    const char* latin;
};

const Surname kSurnames[] = {
    {u"佐藤", u"サトウ", "sato"},         {u"鈴木", u"スズキ", "suzuki"},
    {u"高橋", u"タカハシ", "takahashi"},  {u"田中", u"タナカ", "tanaka"},
    {u"伊藤", u"イトウ", "ito"},          {u"渡辺", u"ワタナベ", "watanabe"},
    {u"山本", u"ヤマモト", "yamamoto"},   {u"中村", u"ナカムラ", "nakamura"},
    {u"小林", u"コバヤシ", "kobayashi"},  {u"加藤", u"カトウ", "kato"},
    {u"吉田", u"ヨシダ", "yoshida"},      {u"山田", u"ヤマダ", "yamada"},
    {u"佐々木", u"ササキ", "sasaki"},     {u"山口", u"ヤマグチ", "yamaguchi"},
    {u"松本", u"マツモト", "matsumoto"},  {u"井上", u"イノウエ", "inoue"},
    {u"木村", u"キムラ", "kimura"},       {u"林", u"ハヤシ", "hayashi"},
    {u"斎藤", u"サイトウ", "saito"},      {u"清水", u"シミズ", "shimizu"},
    {u"長谷川", u"ハセガワ", "hasegawa"}, {u"小川", u"オガワ", "ogawa"},
    {u"青木", u"アオキ", "aoki"},         {u"渡部", u"ワタベ", "watabe"},
};

const Surname kGivenNames[] = {
    {u"太郎", u"タロウ", "taro"},      {u"花子", u"ハナコ", "hanako"},
    {u"一郎", u"イチロウ", "ichiro"},  {u"美咲", u"ミサキ", "misaki"},
    {u"健太", u"ケンタ", "kenta"},     {u"陽菜", u"ヒナ", "hina"},
    {u"翔太", u"ショウタ", "shota"},   {u"結衣", u"ユイ", "yui"},
    {u"大輔", u"ダイスケ", "daisuke"}, {u"さくら", u"サクラ", "sakura"},
    {u"誠", u"マコト", "makoto"},      {u"由美子", u"ユミコ", "yumiko"},
    {u"浩二", u"コウジ", "koji"},      {u"愛", u"アイ", "ai"},
    {u"直樹", u"ナオキ", "naoki"},     {u"恵子", u"ケイコ", "keiko"},
};

struct Area
{
    const char16_t* prefecture;
    const char16_t* city;
    const char* areaCode;
    int postalHead;
};

const Area kAreas[] = {
    {u"東京都", u"世田谷区", "03", 154},        {u"東京都", u"練馬区", "03", 176},
    {u"神奈川県", u"横浜市港北区", "045", 222}, {u"大阪府", u"大阪市北区", "06", 530},
    {u"愛知県", u"名古屋市中区", "052", 460},   {u"北海道", u"札幌市中央区", "011", 60},
    {u"福岡県", u"福岡市博多区", "092", 812},   {u"宮城県", u"仙台市青葉区", "022", 980},
    {u"京都府", u"京都市左京区", "075", 606},   {u"埼玉県", u"さいたま市浦和区", "048", 330},
    {u"千葉県", u"船橋市", "047", 273},         {u"兵庫県", u"神戸市中央区", "078", 650},
};

const char16_t* const kTowns[] = {u"桜新町", u"本町",   u"中央",   u"緑が丘",  u"東山",
                                  u"西原",   u"南町",   u"北沢",   u"若葉台",  u"旭町",
                                  u"栄町",   u"富士見", u"青葉台", u"松が枝町"};
const char16_t* const kBuildings[] = {u"ハイツ", u"コーポ", u"マンション", u"レジデンス",
                                      u"パレス", u"ヒルズ", u"荘"};
const char16_t* const kRelations[] = {u"友人",   u"親戚", u"会社関係", u"顧客",
                                      u"取引先", u"家族", u"サークル"};
const char16_t* const kCompanies[] = {u"山川商事", u"東邦電機", u"みどり食品", u"丸和建設",
                                      u"日栄印刷", u"北星物流", u"青空ソフト", u"大和製作所"};
const char16_t* const kDepartments[] = {u"営業部", u"総務部", u"経理部",
                                        u"開発部", u"人事部", u"製造部第二課"};
const char16_t* const kPositions[] = {u"部長", u"課長", u"係長", u"主任", u"代表取締役"};
const char16_t* const kNotes[] = {u"年賀状のみ", u"転居予定あり", u"大学時代の同級生",
                                  u"お歳暮を頂いた", u"喪中につき年賀欠礼"};
const char16_t* const kSubjects[] = {u"年賀状", u"暑中見舞い", u"寒中見舞い",
                                     u"喪中",   u"お中元",     u"お歳暮"};
const char* const kMailDomains[] = {"example.ne.jp", "example.co.jp", "mail.example.com",
                                    "example.or.jp"};
const char* const kMobileDomains[] = {"docomo.example.jp", "ezweb.example.jp",
                                      "softbank.example.jp"};

// A small deterministic generator (xorshift), the same sequence on every platform.
class Dice
{
public:
    explicit Dice(quint64 seed) : mState(seed * 0x9E3779B97F4A7C15ull + 1) {}
    quint32 next()
    {
        mState ^= mState << 13;
        mState ^= mState >> 7;
        mState ^= mState << 17;
        return quint32(mState >> 16);
    }
    int below(int n) { return int(next() % quint32(n)); }
    bool percent(int p) { return below(100) < p; }
    template <typename T, size_t N> const T& pick(const T (&table)[N])
    {
        return table[below(int(N))];
    }

private:
    quint64 mState;
};

QString str(const char16_t* s)
{
    return QString::fromUtf16(s);
}
QString latin(const char* s)
{
    return QString::fromLatin1(s);
}

QString digits(Dice& dice, int count)
{
    QString s;
    for (int i = 0; i < count; ++i)
        s.append(QChar(u'0' + dice.below(10)));
    return s;
}

QString address1(Dice& dice, const Area& area)
{
    return str(area.prefecture) + str(area.city) + str(dice.pick(kTowns)) +
           QString::number(1 + dice.below(5)) + u'-' + QString::number(1 + dice.below(30)) + u'-' +
           QString::number(1 + dice.below(20));
}

QString building(Dice& dice)
{
    return str(dice.pick(kTowns)) + str(dice.pick(kBuildings)) +
           QString::number(1 + dice.below(9)) + u'0' + QString::number(1 + dice.below(9)) +
           u"号室"_qs;
}

QString postal(Dice& dice, const Area& area)
{
    return QStringLiteral("%1-%2")
        .arg(area.postalHead + dice.below(10), 3, 10, QChar(u'0'))
        .arg(dice.below(10000), 4, 10, QChar(u'0'));
}

void fillRecord(Dice& dice, const QString& entry, QStringList& v)
{
    using C = CAddressData;
    const Surname& family = dice.pick(kSurnames);
    const Surname& given = dice.pick(kGivenNames);
    const Area& home = dice.pick(kAreas);
    const QString romaji = latin(given.latin) + u'.' + latin(family.latin);

    v.fill(QString(), C::TextColumnCount);
    v[C::EntryNumber] = entry;
    v[C::Name] = str(family.kanji) + u'　' + str(given.kanji);
    v[C::Reading] = str(family.kana) + u'　' + str(given.kana);
    v[C::Honorific] = dice.percent(92) ? u"様"_qs : u"殿"_qs;
    v[C::PostalCode] = postal(dice, home);
    v[C::Address1] = address1(dice, home);
    if (dice.percent(70))
        v[C::Address2] = building(dice);
    if (dice.percent(15))
        v[C::Address3] = u"気付 "_qs + str(dice.pick(kSurnames).kanji) + u"方"_qs;
    if (dice.percent(85))
        v[C::Relation] = str(dice.pick(kRelations));
    for (int k = 0, p = 50; k < 5 && dice.percent(p); ++k, p /= 2) {
        v[C::JointName1 + 2 * k] = str(dice.pick(kGivenNames).kanji);
        v[C::JointName1 + 2 * k + 1] = u"様"_qs;
    }
    if (dice.percent(90))
        v[C::Phone1] = latin(home.areaCode) + u'-' + digits(dice, 4) + u'-' + digits(dice, 4);
    if (dice.percent(20))
        v[C::Phone2] = latin(home.areaCode) + u'-' + digits(dice, 4) + u'-' + digits(dice, 4);
    if (dice.percent(80))
        v[C::Mobile1] = u"090-"_qs + digits(dice, 4) + u'-' + digits(dice, 4);
    if (dice.percent(10))
        v[C::Mobile2] = u"080-"_qs + digits(dice, 4) + u'-' + digits(dice, 4);
    if (dice.percent(30))
        v[C::Fax] = latin(home.areaCode) + u'-' + digits(dice, 4) + u'-' + digits(dice, 4);
    if (dice.percent(80))
        v[C::Mail1] = romaji + u'@' + latin(dice.pick(kMailDomains));
    if (dice.percent(25))
        v[C::Mail2] = latin(family.latin) + digits(dice, 2) + u'@' + latin(dice.pick(kMailDomains));
    if (dice.percent(60))
        v[C::MobileMail1] = romaji + digits(dice, 3) + u'@' + latin(dice.pick(kMobileDomains));
    if (dice.percent(5))
        v[C::MobileMail2] =
            latin(given.latin) + digits(dice, 4) + u'@' + latin(dice.pick(kMobileDomains));
    if (dice.percent(20))
        v[C::Url] = u"https://www."_qs + latin(family.latin) + u".example.jp/"_qs;
    if (dice.percent(90))
        v[C::Sex] = dice.percent(50) ? u"男性"_qs : u"女性"_qs;
    if (dice.percent(80)) {
        const int year = 1940 + dice.below(65);
        v[C::BirthDate] = QStringLiteral("%1/%2/%3")
                              .arg(year)
                              .arg(1 + dice.below(12), 2, 10, QChar(u'0'))
                              .arg(1 + dice.below(28), 2, 10, QChar(u'0'));
        v[C::Age] = QString::number(2024 - year);
    }
    if (dice.percent(40))
        v[C::Note1] = str(dice.pick(kNotes));
    if (dice.percent(15))
        v[C::Note2] = str(dice.pick(kNotes));
    if (dice.percent(10))
        v[C::Picture] = u"/home/user/写真/"_qs + latin(family.latin) + digits(dice, 4) + u".jpg"_qs;
    if (dice.percent(75)) {
        const Area& work = dice.pick(kAreas);
        const QString company = str(dice.pick(kCompanies));
        v[C::Company] = u"株式会社"_qs + company;
        v[C::CompanyPostalCode] = postal(dice, work);
        v[C::CompanyAddress1] = address1(dice, work);
        if (dice.percent(60))
            v[C::CompanyAddress2] =
                company + u"ビル"_qs + QString::number(2 + dice.below(12)) + u"階"_qs;
        if (dice.percent(20))
            v[C::CompanyAddress3] = u"受付気付"_qs;
        if (dice.percent(80))
            v[C::Department] = str(dice.pick(kDepartments));
        if (dice.percent(60))
            v[C::Position] = str(dice.pick(kPositions));
        if (dice.percent(85))
            v[C::CompanyPhone1] =
                latin(work.areaCode) + u'-' + digits(dice, 4) + u'-' + digits(dice, 4);
        if (dice.percent(25))
            v[C::CompanyPhone2] =
                latin(work.areaCode) + u'-' + digits(dice, 4) + u'-' + digits(dice, 4);
        if (dice.percent(65))
            v[C::CompanyFax] =
                latin(work.areaCode) + u'-' + digits(dice, 4) + u'-' + digits(dice, 4);
        if (dice.percent(70))
            v[C::CompanyMail] = romaji + u"@corp."_qs + latin(dice.pick(kMailDomains));
        if (dice.percent(55))
            v[C::CompanyUrl] = u"https://corp.example.jp/"_qs + latin(family.latin) + u'/';
    }
}

AddressBook generateBook(double* filledShare)
{
    AddressBook book;
    Dice dice(20240101);
    QStringList values;
    qint64 filled = 0, fields = 0;
    for (int g = 0; g < AddressBook::GroupCount; ++g) {
        CAddressData& group = book.group(g);
        const QString prefix = AddressBook::entryPrefix(g);
        for (int i = 0; i < kRecordsPerGroup; ++i) {
            const QString entry = prefix + QString::number(i + 1);
            fillRecord(dice, entry, values);
            group.appendRecord(values);
            if (dice.percent(10))
                group.setFlag(i, 1);
            for (int h = dice.percent(30) ? 1 + dice.below(3) : 0; h > 0; --h)
                group.appendHistory(entry, str(dice.pick(kSubjects)),
                                    QStringLiteral("20%1/%2/%3")
                                        .arg(10 + dice.below(14))
                                        .arg(1 + dice.below(12), 2, 10, QChar(u'0'))
                                        .arg(1 + dice.below(28), 2, 10, QChar(u'0')),
                                    dice.percent(30) ? str(dice.pick(kNotes)) : QString());
            for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
                if (CAddressData::isReservedColumn(c))
                    continue;
                ++fields;
                filled += values[c].isEmpty() ? 0 : 1;
            }
        }
    }
    *filledShare = double(filled) / double(fields);
    return book;
}

// The book on disk, made once for all benchmarks.
struct BookFile
{
    QTemporaryDir dir;
    QString path;
    qint64 size = 0;
    double filledShare = 0;
    QString error;
};

const BookFile& bookFile()
{
    static const std::unique_ptr<BookFile> file = [] {
        auto f = std::make_unique<BookFile>();
        f->path = f->dir.filePath(QStringLiteral("book.ona"));
        const AddressBook book = generateBook(&f->filledShare);
        f->error = book.storeFile(f->path);
        f->size = QFileInfo(f->path).size();
        return f;
    }();
    return *file;
}

void addFileCounters(benchmark::State& state, const BookFile& file)
{
    state.counters["file_MB"] = double(file.size) / 1e6;
    state.counters["filled"] = file.filledShare;
}

// ---------------------------------------------------------------------------------------

void BM_LoadFile(benchmark::State& state)
{
    const BookFile& file = bookFile();
    if (!file.error.isEmpty()) {
        state.SkipWithError("could not write the book");
        return;
    }
    AddressBook book;
    for (auto _ : state) {
        state.PauseTiming();
        book.clear();
        state.ResumeTiming();
        const QString message = book.loadFile(file.path);
        if (!message.isEmpty()) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(book);
    }
    state.SetBytesProcessed(state.iterations() * file.size);
    addFileCounters(state, file);
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StoreFile(benchmark::State& state)
{
    const BookFile& file = bookFile();
    AddressBook book;
    if (!file.error.isEmpty() || !book.loadFile(file.path).isEmpty()) {
        state.SkipWithError("could not prepare the book");
        return;
    }
    const QString target = file.dir.filePath(QStringLiteral("stored.ona"));
    for (auto _ : state) {
        if (!book.storeFile(target).isEmpty()) {
            state.SkipWithError("store failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * file.size);
    addFileCounters(state, file);
}
BENCHMARK(BM_StoreFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same two without the file system: parsing and formatting alone.
void BM_ReadFromMemory(benchmark::State& state)
{
    const BookFile& file = bookFile();
    QFile f(file.path);
    if (!f.open(QIODevice::ReadOnly)) {
        state.SkipWithError("could not read the book");
        return;
    }
    QByteArray bytes = f.readAll();
    AddressBook book;
    for (auto _ : state) {
        state.PauseTiming();
        book.clear();
        state.ResumeTiming();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        ArchiveReader in(&buffer);
        book.read(in);
        if (!in.ok()) {
            state.SkipWithError("read failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    addFileCounters(state, file);
}
BENCHMARK(BM_ReadFromMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteToMemory(benchmark::State& state)
{
    const BookFile& file = bookFile();
    AddressBook book;
    if (!file.error.isEmpty() || !book.loadFile(file.path).isEmpty()) {
        state.SkipWithError("could not prepare the book");
        return;
    }
    QByteArray bytes;
    bytes.reserve(file.size);
    for (auto _ : state) {
        bytes.resize(0);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ArchiveWriter out(&buffer);
        book.write(out);
        if (!out.finish()) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * file.size);
    addFileCounters(state, file);
}
BENCHMARK(BM_WriteToMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---------------------------------------------------------------------------------------
// Peak memory of a load

void BM_LoadPeakMemory(benchmark::State& state)
{
    const BookFile& file = bookFile();
    if (!file.error.isEmpty()) {
        state.SkipWithError("could not write the book");
        return;
    }
    ChildMemory::Growth m;
    for (auto _ : state) {
        m = ChildMemory::measure([&file] {
            auto* book = new AddressBook; // left for _exit to drop: no time spent freeing
            return book->loadFile(file.path).isEmpty();
        });
    }
    if (m.peak < 0) {
        state.SkipWithError("could not measure the child's memory");
        return;
    }
    state.counters["peak_x_file"] = double(m.peak) / double(file.size);
    state.counters["resident_x_file"] = double(m.resident) / double(file.size);
    state.counters["peak_MB"] = double(m.peak) / 1e6;
    addFileCounters(state, file);
}
BENCHMARK(BM_LoadPeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
