#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

Q_DECLARE_METATYPE(AddressBook)

namespace {

constexpr int kEmptyGroupBytes = CAddressData::ColumnCount * 2;
constexpr int kEmptyBookBytes = AddressBook::GroupCount * kEmptyGroupBytes;

QByteArray le16(quint16 v)
{
    const char b[2] = {char(v & 0xFF), char(v >> 8)};
    return QByteArray(b, 2);
}

QByteArray le32(quint32 v)
{
    return le16(quint16(v & 0xFFFF)) + le16(quint16(v >> 16));
}

// A string of fewer than 255 bytes as the file holds it: one length byte, then the bytes.
QByteArray shortString(const QByteArray& bytes)
{
    Q_ASSERT(bytes.size() < 255);
    return char(bytes.size()) + bytes;
}

// The reserved columns, spelled out here rather than asked of the class under test.
bool reserved(int column)
{
    return column == 33 || column == 37 || column == 38 || column == 39;
}

QByteArray written(const std::function<void(ArchiveWriter&)>& write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter out(&buffer);
    write(out);
    if (!out.finish())
        qFatal("writing to a buffer failed");
    return bytes;
}

QByteArray bytesOf(const AddressBook& book)
{
    return written([&](ArchiveWriter& out) { book.write(out); });
}

QByteArray bytesOf(const CAddressData& group)
{
    return written([&](ArchiveWriter& out) { group.write(out); });
}

// The bytes column c of a group takes in the file.
int columnBytes(const CAddressData& group, int c)
{
    return int(written([&](ArchiveWriter& out) {
                   if (c == CAddressData::Flag)
                       out.writeIntArray(group.flags());
                   else
                       out.writeStringArray(group.textColumn(c));
               }).size());
}

// A column as text, the flag column included, so that all 56 compare alike.
QStringList columnText(const CAddressData& group, int c)
{
    if (c != CAddressData::Flag)
        return group.textColumn(c);
    QStringList out;
    for (qint32 f : group.flags())
        out.append(QString::number(f));
    return out;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QString firstDifference(const QByteArray& got, const QByteArray& want)
{
    qsizetype at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at])
        ++at;
    if (at == got.size() && at == want.size())
        return QString();
    return QStringLiteral("sizes %1 and %2, first difference at byte %3: got [%4] want [%5]")
        .arg(got.size())
        .arg(want.size())
        .arg(at)
        .arg(QString::fromLatin1(got.mid(at, 12).toHex(' ')),
             QString::fromLatin1(want.mid(at, 12).toHex(' ')));
}

// A record whose every ordinary column holds a value naming the record and the column, so
// a copy that mixes up columns or records shows.
QStringList taggedRecord(const QString& entry, const QString& tag)
{
    QStringList values;
    for (int c = 0; c < CAddressData::TextColumnCount; ++c)
        values.append(tag + u'/' + QString::number(c));
    values[CAddressData::EntryNumber] = entry;
    return values;
}

// Appends a tagged record with the group's next entry number; returns its index.
int addTagged(AddressBook& book, int g, const QString& tag, qint32 flag)
{
    CAddressData& group = book.group(g);
    group.appendRecord(taggedRecord(book.nextEntryNumber(g), tag));
    const int at = group.recordCount() - 1;
    group.setFlag(at, flag);
    return at;
}

QStringList person(const QString& entry, const QString& name, const QString& reading,
                   const QString& postal, const QString& address1, const QString& address2)
{
    QStringList v(CAddressData::TextColumnCount);
    v[CAddressData::EntryNumber] = entry;
    v[CAddressData::Name] = name;
    v[CAddressData::Honorific] = u"様"_qs;
    v[CAddressData::Reading] = reading;
    v[CAddressData::PostalCode] = postal;
    v[CAddressData::Address1] = address1;
    v[CAddressData::Address2] = address2;
    v[CAddressData::Relation] = u"友人"_qs;
    v[CAddressData::Phone1] = u"03-1234-5678"_qs;
    v[CAddressData::Mail1] = u"taro@example.jp"_qs;
    v[CAddressData::BirthDate] = u"1970/04/01"_qs;
    return v;
}

// A small but real book: kana, Latin and sender groups, history, a reservation, a name in
// the wide form and a string long enough for the three-byte length.
AddressBook sampleBook()
{
    AddressBook book;
    CAddressData& a = book.group(0);
    a.appendRecord(person(u"A-1"_qs, u"青木 太郎"_qs, u"アオキ タロウ"_qs, u"100-0001"_qs,
                          u"東京都千代田区千代田1-1"_qs, u"青木ビル3F"_qs));
    a.appendRecord(person(u"A-2"_qs, u"安藤 花子"_qs, u"アンドウ ハナコ"_qs, u"530-0001"_qs,
                          u"大阪府大阪市北区梅田2-4-9"_qs, QString()));
    a.setFlag(1, 1);
    a.appendHistory(u"A-1"_qs, u"年賀状"_qs, u"2023/01/01"_qs, u"受信"_qs);
    CAddressData& ka = book.group(1);
    ka.appendRecord(person(u"KA-1"_qs, u"𠮷田 一郎"_qs, u"ヨシダ イチロウ"_qs, u"060-0001"_qs,
                           u"北海道札幌市中央区北一条西2丁目"_qs, QString()));
    ka.setField(0, CAddressData::Note1, QString(130, u'備'));
    ka.setFlag(0, 1);
    CAddressData& abc = book.group(10);
    abc.appendRecord(person(u"ABC-1"_qs, u"Alice Brown"_qs, QString(), u"980-0811"_qs,
                            u"宮城県仙台市青葉区一番町1-2-3"_qs, QString()));
    CAddressData& sender = book.group(AddressBook::SenderGroup);
    sender.appendRecord(person(u"SENDER-1"_qs, u"差出 人"_qs, u"サシダシ ヒト"_qs, u"150-0002"_qs,
                               u"東京都渋谷区渋谷3-1"_qs, QString()));
    return book;
}

// Content that a load must replace, so that an untouched group is told from a read one.
AddressBook oldBook()
{
    AddressBook book;
    for (int g = 0; g < AddressBook::GroupCount; ++g) {
        book.group(g).appendRecord(person(AddressBook::entryPrefix(g) + u'7', u"旧データ"_qs,
                                          u"キュウデータ"_qs, u"999-9999"_qs, u"旧住所"_qs,
                                          QString()));
        book.group(g).setFlag(0, 1);
        book.group(g).appendHistory(AddressBook::entryPrefix(g) + u'7', u"旧"_qs, u"2000/01/01"_qs,
                                    QString());
    }
    return book;
}

// Checks a book read from the first `cut` bytes of `original`'s file over `old` content:
// groups wholly before the cut are as written, the group holding the cut has every column
// that ends before the cut whole, the column holding the cut a prefix of what was written
// and the later columns empty, and the groups after it are untouched. Empty when it holds.
QString checkPartialLoad(const AddressBook& book, const AddressBook& original,
                         const AddressBook& old, qsizetype cut)
{
    qsizetype start = 0;
    int failing = 0;
    for (; failing < AddressBook::GroupCount; ++failing) {
        const qsizetype size = bytesOf(original.group(failing)).size();
        if (start + size > cut)
            break;
        start += size;
    }
    for (int g = 0; g < AddressBook::GroupCount; ++g) {
        if (g < failing && !(book.group(g) == original.group(g)))
            return QStringLiteral("group %1 before the cut differs from what was written").arg(g);
        if (g > failing && !(book.group(g) == old.group(g)))
            return QStringLiteral("group %1 after the cut lost its old content").arg(g);
    }
    if (failing == AddressBook::GroupCount)
        return QStringLiteral("the cut lies after the last group");

    const CAddressData& got = book.group(failing);
    const CAddressData& want = original.group(failing);
    qsizetype pos = start;
    bool cutSeen = false;
    for (int c = 0; c < CAddressData::ColumnCount; ++c) {
        const qsizetype end = pos + columnBytes(want, c);
        const QStringList g = columnText(got, c);
        const QStringList w = columnText(want, c);
        if (end <= cut) {
            if (g != w)
                return QStringLiteral("group %1 column %2 ends before the cut but is not whole")
                    .arg(failing)
                    .arg(c);
        } else if (!cutSeen) {
            cutSeen = true;
            if (g.size() > w.size() || g != w.mid(0, g.size()))
                return QStringLiteral("group %1 column %2 holds more than was read")
                    .arg(failing)
                    .arg(c);
        } else if (!g.isEmpty()) {
            return QStringLiteral("group %1 column %2 lies after the cut but is not empty")
                .arg(failing)
                .arg(c);
        }
        pos = end;
    }
    return QString();
}

// A device without a known size, as a pipe is.
class Pipe : public QIODevice
{
public:
    explicit Pipe(QByteArray bytes) : mBytes(std::move(bytes)) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 max) override
    {
        const qint64 n = std::min<qint64>(max, mBytes.size() - mAt);
        memcpy(data, mBytes.constData() + mAt, size_t(n));
        mAt += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray mBytes;
    qint64 mAt = 0;
};

} // namespace

class TestAddressBook : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void emptyBookIsAllZero_data();
    void emptyBookIsAllZero();
    void oneRecordLayout_data();
    void oneRecordLayout();
    void roundTripIsByteIdentical_data();
    void roundTripIsByteIdentical();
    void trailingBytesAreIgnored();
    void foreignColumnsAreKeptAndTolerated_data();
    void foreignColumnsAreKeptAndTolerated();
    void truncatedFileKeepsWhatWasRead();
    void hostileCountsFailFast_data();
    void hostileCountsFailFast();
    void missingFileChangesNothing();
    void failedStoreLeavesTargetAlone_data();
    void failedStoreLeavesTargetAlone();
    void recordList_data();
    void recordList();
    void removeRecordTakesItsHistory_data();
    void removeRecordTakesItsHistory();
    void nextEntryNumber_data();
    void nextEntryNumber();

private:
    QString path(const QString& name) const { return mDir.filePath(name); }

    QTemporaryDir mDir;
};

void TestAddressBook::initTestCase()
{
    QVERIFY(mDir.isValid());
}

// ---------------------------------------------------------------------------------------
// File form

void TestAddressBook::emptyBookIsAllZero_data()
{
    QTest::addColumn<AddressBook>("book");

    QTest::newRow("new book") << AddressBook();
    AddressBook cleared = oldBook();
    cleared.clear();
    QTest::newRow("cleared book") << cleared;
    // Removing the only record takes its history row along, so nothing is left.
    AddressBook removed;
    removed.group(4).appendRecord(taggedRecord(u"NA-1"_qs, u"x"_qs));
    removed.group(4).setFlag(0, 1);
    removed.group(4).appendHistory(u"NA-1"_qs, u"年賀状"_qs, u"2024/01/01"_qs, QString());
    removed.group(4).removeRecord(0);
    QTest::newRow("record added and removed") << removed;
}

void TestAddressBook::emptyBookIsAllZero()
{
    QFETCH(AddressBook, book);
    const QByteArray zeros(kEmptyBookBytes, '\0');
    QCOMPARE(kEmptyBookBytes, 2240);

    QCOMPARE(bytesOf(book), zeros);

    // Stored over a longer file, the file is cut to the book.
    const QString file = path(u"empty.ona"_qs);
    QVERIFY(writeFile(file, QByteArray(10000, '\x55')));
    QCOMPARE(book.storeFile(file), QString());
    QCOMPARE(readFile(file), zeros);

    AddressBook loaded = oldBook();
    QCOMPARE(loaded.loadFile(file), QString());
    QVERIFY(loaded == AddressBook());
}

void TestAddressBook::oneRecordLayout_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("fillAll"); // every column "f<c>", else every column empty
    QTest::addColumn<int>("column");   // one column with a particular value, or -1
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("stored"); // that value as the file holds it

    QTest::newRow("every field, first group") << 0 << 0 << true << -1 << QString() << QByteArray();
    QTest::newRow("every field, sender group, reserved")
        << 19 << 1 << true << -1 << QString() << QByteArray();
    QTest::newRow("kanji name, other fields empty")
        << 1 << 0 << false << int(CAddressData::Name) << u"山田"_qs
        << QByteArray("\x04\x8E\x52\x93\x63");
    QTest::newRow("name outside CP932 in the wide form")
        << 9 << 1 << false << int(CAddressData::Name) << u"𠮷田"_qs
        << QByteArray("\xFF\xFE\xFF\x03\x42\xD8\xB7\xDF\x30\x75", 10);
    QTest::newRow("long note, three-byte length, negative flag")
        << 18 << -1 << true << int(CAddressData::Note1) << QString(300, u'x')
        << QByteArray("\xFF\x2C\x01", 3) + QByteArray(300, 'x');
    QTest::newRow("last ordinary column")
        << 10 << 2 << false << int(CAddressData::CompanyUrl) << u"https://example.jp/"_qs
        << shortString("https://example.jp/");
}

void TestAddressBook::oneRecordLayout()
{
    QFETCH(int, group);
    QFETCH(int, flag);
    QFETCH(bool, fillAll);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QByteArray, stored);

    // Values are offered for the reserved columns too: appending must not take them.
    QStringList values(CAddressData::TextColumnCount);
    QList<QByteArray> expected(CAddressData::TextColumnCount, QByteArray(1, '\0'));
    for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
        if (fillAll || reserved(c)) {
            values[c] = u'f' + QString::number(c);
            expected[c] = shortString("f" + QByteArray::number(c));
        }
    }
    if (column >= 0) {
        values[column] = text;
        expected[column] = stored;
    }

    AddressBook book;
    book.group(group).appendRecord(values);
    book.group(group).setFlag(0, flag);

    // 56 counts; a count of 1 and one string for each of the 47 ordinary text columns; 0
    // for the four reserved and the four history columns; a count of 1 and 4 flag bytes.
    QByteArray block;
    int stringBytes = 0;
    for (int c = 0; c < CAddressData::ColumnCount; ++c) {
        if (reserved(c) || c >= CAddressData::HistoryKey) {
            block += le16(0);
        } else if (c == CAddressData::Flag) {
            block += le16(1) + le32(quint32(flag));
        } else {
            block += le16(1) + expected[c];
            stringBytes += int(expected[c].size());
        }
    }
    const QByteArray want = QByteArray(group * kEmptyGroupBytes, '\0') + block +
                            QByteArray((19 - group) * kEmptyGroupBytes, '\0');

    const QByteArray got = bytesOf(book);
    QCOMPARE(got.size(), kEmptyBookBytes + stringBytes + 4);
    QVERIFY2(got == want, qPrintable(firstDifference(got, want)));

    // The file stored is the same, and reads back to the same group.
    const QString file = path(u"one.ona"_qs);
    QCOMPARE(book.storeFile(file), QString());
    QCOMPARE(readFile(file), want);
    AddressBook loaded;
    QCOMPARE(loaded.loadFile(file), QString());
    QVERIFY(loaded == book);
    QCOMPARE(loaded.group(group).recordCount(), 1);
    QCOMPARE(loaded.group(group).flag(0), flag);
    if (column >= 0)
        QCOMPARE(loaded.group(group).field(0, column), text);
}

void TestAddressBook::roundTripIsByteIdentical_data()
{
    QTest::addColumn<AddressBook>("book");
    QTest::addColumn<QByteArray>("mustContain");

    QTest::newRow("empty") << AddressBook() << QByteArray(kEmptyBookBytes, '\0');
    QTest::newRow("sample book") << sampleBook()
                                 << QByteArray("\x01\x00\x04"
                                               "KA-1",
                                               7);

    AddressBook withReserved = sampleBook();
    withReserved.group(0).setField(0, 33, u"予備の値"_qs);
    withReserved.group(0).setField(1, 37, u"r37"_qs);
    withReserved.group(0).setField(4, 38, u"longer than the group"_qs);
    withReserved.group(19).setField(0, 39, u"r39"_qs);
    QTest::newRow("reserved columns hold entries")
        << withReserved << QByteArray("\x02\x00\x00\x03r37", 7);

    AddressBook history = sampleBook();
    for (int i = 0; i < 3; ++i)
        history.group(1).appendHistory(u"KA-1"_qs, u"暑中見舞い"_qs, u"2023/07/%1"_qs.arg(i + 10),
                                       u"備考"_qs);
    history.group(7).appendHistory(u"YA-9"_qs, u"喪中"_qs, QString(), QString());
    QTest::newRow("history rows, one without its record") << history << QByteArray("\x04YA-9", 5);

    AddressBook wide;
    wide.group(3).appendRecord(
        person(u"TA-1"_qs, u"𠮷田"_qs, u"ヨシダ"_qs, QString(), u"髙橋町"_qs, u"한국"_qs));
    QTest::newRow("names outside CP932")
        << wide << QByteArray("\xFF\xFE\xFF\x03\x42\xD8\xB7\xDF\x30\x75", 10);

    AddressBook lengths;
    lengths.group(5).appendRecord(person(u"HA-1"_qs, QString(254, u'a'), QString(255, u'b'),
                                         QString(0xFFFE, u'c'), QString(127, u'住'),
                                         QString(128, u'所')));
    QTest::newRow("length prefix boundaries")
        << lengths << QByteArray("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7);

    AddressBook bigCount;
    bigCount.group(6).setField(65534, 33, u"z"_qs);
    QTest::newRow("column of 65535 entries")
        << bigCount << QByteArray("\xFF\xFF\xFF\xFF\x00\x00\x00", 7);

    AddressBook unequal;
    unequal.group(8).setField(2, CAddressData::Name, u"中村"_qs);
    unequal.group(8).setField(0, CAddressData::EntryNumber, u"RA-1"_qs);
    unequal.group(8).setFlag(4, 1);
    QTest::newRow("unequal record columns") << unequal << QByteArray("\x05\x00", 2);

    AddressBook flags;
    for (qint32 f : {0, 1, -1, INT_MAX, INT_MIN})
        addTagged(flags, 12, u"flag"_qs, f);
    QTest::newRow("flag values kept raw") << flags << QByteArray("\x00\x00\x00\x80", 4);
}

void TestAddressBook::roundTripIsByteIdentical()
{
    QFETCH(AddressBook, book);
    QFETCH(QByteArray, mustContain);

    const QString first = path(u"first.ona"_qs);
    const QString second = path(u"second.ona"_qs);
    QCOMPARE(book.storeFile(first), QString());
    const QByteArray stored = readFile(first);
    QCOMPARE(stored, bytesOf(book));
    QVERIFY(stored.contains(mustContain));

    AddressBook loaded = oldBook();
    QCOMPARE(loaded.loadFile(first), QString());
    QVERIFY(loaded == book);

    QCOMPARE(loaded.storeFile(second), QString());
    const QByteArray again = readFile(second);
    QVERIFY2(again == stored, qPrintable(firstDifference(again, stored)));
}

void TestAddressBook::trailingBytesAreIgnored()
{
    const AddressBook book = sampleBook();
    const QString file = path(u"trailing.ona"_qs);
    QVERIFY(writeFile(file, bytesOf(book) + QByteArray("\x01\x02garbage", 9)));

    AddressBook loaded;
    QCOMPARE(loaded.loadFile(file), QString());
    QVERIFY(loaded == book);
}

// ---------------------------------------------------------------------------------------
// A foreign file whose record columns have unequal lengths

void TestAddressBook::foreignColumnsAreKeptAndTolerated_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("flags");
    QTest::addColumn<QStringList>("historyKeys");
    QTest::addColumn<QStringList>("historyNotes");
    QTest::addColumn<int>("records");

    const QStringList entries = {u"SA-1"_qs, u"SA-2"_qs, u"SA-3"_qs};
    const QStringList keys = {u"SA-1"_qs, u"SA-3"_qs, u"SA-1"_qs};
    const QStringList notes = {u"n0"_qs, u"n1"_qs, u"n2"_qs, u"n3"_qs};

    QTest::newRow("as read") << u"none"_qs << entries << QStringList{u"佐藤"_qs} << QList<int>{1, 0}
                             << keys << notes << 3;
    QTest::newRow("append pads the short columns")
        << u"append"_qs << entries + QStringList{u"SA-4"_qs}
        << QStringList{u"佐藤"_qs, QString(), QString(), u"新規"_qs} << QList<int>{1, 0, 0, 0}
        << keys << notes << 4;
    // Rows 0 and 2 carry SA-1; the subject column holds only two rows and the note column
    // four, and each loses only the rows it has.
    QTest::newRow("remove the first record")
        << u"remove 0"_qs << entries.mid(1) << QStringList() << QList<int>{0}
        << QStringList{u"SA-3"_qs} << QStringList{u"n1"_qs, u"n3"_qs} << 2;
    QTest::newRow("remove a record only some columns hold")
        << u"remove 2"_qs << entries.mid(0, 2) << QStringList{u"佐藤"_qs} << QList<int>{1, 0}
        << QStringList{u"SA-1"_qs, u"SA-1"_qs} << QStringList{u"n0"_qs, u"n2"_qs, u"n3"_qs} << 2;
    QTest::newRow("remove beyond the longest column")
        << u"remove 3"_qs << entries << QStringList{u"佐藤"_qs} << QList<int>{1, 0} << keys << notes
        << 3;
    QTest::newRow("set a field beyond its column")
        << u"field 4"_qs << entries
        << QStringList{u"佐藤"_qs, QString(), QString(), QString(), u"x"_qs} << QList<int>{1, 0}
        << keys << notes << 5;
    QTest::newRow("set a flag beyond its column")
        << u"flag 3"_qs << entries << QStringList{u"佐藤"_qs} << QList<int>{1, 0, 0, 1} << keys
        << notes << 4;
}

void TestAddressBook::foreignColumnsAreKeptAndTolerated()
{
    QFETCH(QString, op);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, flags);
    QFETCH(QStringList, historyKeys);
    QFETCH(QStringList, historyNotes);
    QFETCH(int, records);

    const QStringList reservedEntries = {u"r0"_qs, u"r1"_qs, u"r2"_qs, u"r3"_qs, u"r4"_qs};
    // Group 2 as another program might have written it.
    const QByteArray group = written([&](ArchiveWriter& out) {
        for (int c = 0; c < CAddressData::ColumnCount; ++c) {
            switch (c) {
            case CAddressData::EntryNumber:
                out.writeStringArray({u"SA-1"_qs, u"SA-2"_qs, u"SA-3"_qs});
                break;
            case CAddressData::Name:
                out.writeStringArray({u"佐藤"_qs});
                break;
            case 33:
                out.writeStringArray(reservedEntries);
                break;
            case CAddressData::Flag:
                out.writeIntArray({1, 0});
                break;
            case CAddressData::HistoryKey:
                out.writeStringArray({u"SA-1"_qs, u"SA-3"_qs, u"SA-1"_qs});
                break;
            case CAddressData::HistorySubject:
                out.writeStringArray({u"年賀状"_qs, u"暑中見舞い"_qs});
                break;
            case CAddressData::HistoryNote:
                out.writeStringArray({u"n0"_qs, u"n1"_qs, u"n2"_qs, u"n3"_qs});
                break;
            default:
                out.writeCount(0);
                break;
            }
        }
    });
    const QByteArray file =
        QByteArray(2 * kEmptyGroupBytes, '\0') + group + QByteArray(17 * kEmptyGroupBytes, '\0');
    const QString name = path(u"foreign.ona"_qs);
    QVERIFY(writeFile(name, file));

    AddressBook book;
    QCOMPARE(book.loadFile(name), QString());
    CAddressData& g = book.group(2);

    // Kept as read, not repaired: storing gives the same bytes back.
    const QString back = path(u"foreign-back.ona"_qs);
    QCOMPARE(book.storeFile(back), QString());
    QCOMPARE(readFile(back), file);

    // Missing entries read as empty text and missing flags as 0.
    QCOMPARE(g.recordCount(), 3);
    QCOMPARE(g.field(0, CAddressData::Name), u"佐藤"_qs);
    QCOMPARE(g.field(2, CAddressData::Name), QString());
    QCOMPARE(g.field(2, CAddressData::Reading), QString());
    QCOMPARE(g.flag(2), 0);
    QCOMPARE(g.historyCount(), 4);
    QCOMPARE(g.history(3, CAddressData::HistoryKey), QString());
    QCOMPARE(g.history(2, CAddressData::HistorySubject), QString());

    if (op == u"append") {
        QStringList values(CAddressData::TextColumnCount);
        values[CAddressData::EntryNumber] = u"SA-4"_qs;
        values[CAddressData::Name] = u"新規"_qs;
        g.appendRecord(values);
        // Every ordinary column now has one entry per record.
        for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
            if (!reserved(c))
                QCOMPARE(g.textColumn(c).size(), 4);
        }
    } else if (op.startsWith(u"remove ")) {
        g.removeRecord(op.mid(7).toInt());
    } else if (op.startsWith(u"field ")) {
        g.setField(op.mid(6).toInt(), CAddressData::Name, u"x"_qs);
    } else if (op.startsWith(u"flag ")) {
        g.setFlag(op.mid(5).toInt(), 1);
    }

    QCOMPARE(g.textColumn(CAddressData::EntryNumber), entries);
    QCOMPARE(g.textColumn(CAddressData::Name), names);
    QCOMPARE(QList<int>(g.flags().begin(), g.flags().end()), flags);
    QCOMPARE(g.textColumn(CAddressData::HistoryKey), historyKeys);
    QCOMPARE(g.textColumn(CAddressData::HistoryNote), historyNotes);
    QCOMPARE(g.recordCount(), records);
    // No operation touches a reserved column.
    QCOMPARE(g.textColumn(33), reservedEntries);
    for (int r = 0; r < records + 2; ++r)
        QVERIFY(g.flag(r) == (r < flags.size() ? flags[r] : 0));
}

// ---------------------------------------------------------------------------------------
// Damaged and hostile files

void TestAddressBook::truncatedFileKeepsWhatWasRead()
{
    const AddressBook original = sampleBook();
    const AddressBook old = oldBook();
    const QByteArray whole = bytesOf(original);
    QVERIFY(whole.size() > kEmptyBookBytes + 500);
    const QString file = path(u"cut.ona"_qs);

    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        const QByteArray part = whole.left(cut);

        QByteArray copy = part;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        ArchiveReader in(&buffer);
        AddressBook fromBuffer = old;
        fromBuffer.read(in);
        QVERIFY2(!in.ok(), qPrintable(QStringLiteral("cut at %1 read fine").arg(cut)));
        QVERIFY(!in.error().isEmpty());
        const QString problem = checkPartialLoad(fromBuffer, original, old, cut);
        QVERIFY2(problem.isEmpty(),
                 qPrintable(QStringLiteral("cut at %1: %2").arg(cut).arg(problem)));

        QVERIFY(writeFile(file, part));
        AddressBook fromFile = old;
        const QString message = fromFile.loadFile(file);
        QVERIFY2(!message.isEmpty(), qPrintable(QStringLiteral("cut at %1").arg(cut)));
        QVERIFY2(fromFile == fromBuffer, qPrintable(QStringLiteral("cut at %1").arg(cut)));
    }

    // The whole file is the control.
    QVERIFY(writeFile(file, whole));
    AddressBook loaded = old;
    QCOMPARE(loaded.loadFile(file), QString());
    QVERIFY(loaded == original);
}

void TestAddressBook::hostileCountsFailFast_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("sequential");
    QTest::addColumn<int>("failingGroup");

    const QByteArray fourBillion("\x00\x28\x6B\xEE", 4); // 4,000,000,000
    const QByteArray hugeCount = QByteArray("\xFF\xFF", 2) + fourBillion;
    const QByteArray twenty = hugeCount + QByteArray(14, '\0');
    QTest::newRow("20 bytes claiming 4e9 entries") << twenty << false << 0;
    QTest::newRow("20 bytes claiming 4e9 entries, from a pipe") << twenty << true << 0;
    QTest::newRow("string claiming 4e9 bytes")
        << le16(1) + QByteArray("\xFF\xFF\xFF", 3) + fourBillion + QByteArray(11, 'a') << false
        << 0;
    QTest::newRow("string claiming 4e9 bytes, from a pipe")
        << le16(1) + QByteArray("\xFF\xFF\xFF", 3) + fourBillion + QByteArray(11, 'a') << true << 0;
    QTest::newRow("wide string claiming 2e9 characters")
        << le16(1) + QByteArray("\xFF\xFE\xFF\xFF\xFF\xFF\x00\x00\x00\x80", 10) + QByteArray(8, 'a')
        << false << 0;
    QTest::newRow("flag column claiming 4e9 flags")
        << QByteArray(CAddressData::Flag * 2, '\0') + hugeCount + QByteArray(14, 'a') << false << 0;
    QTest::newRow("last history column of the last group")
        << QByteArray(19 * kEmptyGroupBytes + 55 * 2, '\0') + twenty << false << 19;
}

void TestAddressBook::hostileCountsFailFast()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, sequential);
    QFETCH(int, failingGroup);

    const AddressBook old = oldBook();
    AddressBook book = old;
    QElapsedTimer timer;
    timer.start();
    QString message;
    if (sequential) {
        Pipe pipe(bytes);
        pipe.open(QIODevice::ReadOnly);
        ArchiveReader in(&pipe);
        book.read(in);
        message = in.error();
    } else {
        const QString file = path(u"hostile.ona"_qs);
        QVERIFY(writeFile(file, bytes));
        message = book.loadFile(file);
    }
    QVERIFY(timer.elapsed() < 1000);
    QVERIFY(!message.isEmpty());
    // Groups before the damage read as empty; groups after keep their old content.
    for (int g = 0; g < failingGroup; ++g)
        QVERIFY(book.group(g) == CAddressData());
    for (int g = failingGroup + 1; g < AddressBook::GroupCount; ++g)
        QVERIFY(book.group(g) == old.group(g));
    QVERIFY(book.group(failingGroup).recordCount() <= 14);
}

// ---------------------------------------------------------------------------------------
// Files that cannot be opened or written

void TestAddressBook::missingFileChangesNothing()
{
    const AddressBook old = oldBook();
    AddressBook book = old;
    QCOMPARE(book.loadFile(path(u"no such file.ona"_qs)), u"ファイルオープン失敗"_qs);
    QVERIFY(book == old);
    QCOMPARE(book.loadFile(mDir.path()), u"ファイルオープン失敗"_qs);
    QVERIFY(book == old);
}

void TestAddressBook::failedStoreLeavesTargetAlone_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("parent folder missing") << u"missing parent"_qs;
    QTest::newRow("path is a folder") << u"folder"_qs;
#ifdef Q_OS_UNIX
    // Root may write anywhere, so an existing file is made to fail by the file size limit.
    QTest::newRow("write fails over an existing file") << u"size limit"_qs;
#endif
}

void TestAddressBook::failedStoreLeavesTargetAlone()
{
    QFETCH(QString, how);

    QTemporaryDir dir(path(u"store-XXXXXX"_qs));
    QVERIFY(dir.isValid());
    AddressBook book = sampleBook();
    QString message;
    QString target;

    if (how == u"missing parent") {
        target = dir.filePath(u"missing/sub/book.ona"_qs);
        message = book.storeFile(target);
        QVERIFY(!QFile::exists(target));
        QVERIFY(!QFile::exists(dir.filePath(u"missing"_qs)));
    } else if (how == u"folder") {
        target = dir.filePath(u"book.ona"_qs);
        QVERIFY(QDir(dir.path()).mkdir(u"book.ona"_qs));
        QVERIFY(writeFile(target + u"/inside"_qs, "kept"));
        message = book.storeFile(target);
        QVERIFY(QFileInfo(target).isDir());
        QCOMPARE(readFile(target + u"/inside"_qs), QByteArray("kept"));
    } else {
#ifdef Q_OS_UNIX
        target = dir.filePath(u"book.ona"_qs);
        const QByteArray before = bytesOf(oldBook());
        QVERIFY(writeFile(target, before));
        // A book well past the limit, so the failure comes part-way through writing.
        for (int i = 0; i < 2000; ++i)
            addTagged(book, i % 19, u"大きな住所録"_qs, 0);
        QVERIFY(bytesOf(book).size() > 16 * 65536);

        struct rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limited = saved;
        limited.rlim_cur = 65536;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        message = book.storeFile(target);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(readFile(target), before);
#endif
    }
    QVERIFY(!message.isEmpty());
    // Nothing is left behind beside the target.
    const QStringList left =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    QVERIFY2(left.size() <= 1, qPrintable(left.join(u", "_qs)));
}

// ---------------------------------------------------------------------------------------
// The record list of data mode

void TestAddressBook::recordList_data()
{
    QTest::addColumn<AddressBook>("book");
    QTest::addColumn<int>("printStart");
    QTest::addColumn<QStringList>("expected"); // "blank" or "group:record"

    AddressBook none;
    addTagged(none, 0, u"a"_qs, 0);
    addTagged(none, 5, u"b"_qs, 0);
    QTest::newRow("nothing reserved") << none << 1 << QStringList();
    QTest::newRow("nothing reserved, start 3")
        << none << 3 << QStringList{u"blank"_qs, u"blank"_qs};

    AddressBook one;
    addTagged(one, 4, u"n0"_qs, 0);
    addTagged(one, 4, u"n1"_qs, 1);
    QTest::newRow("start 3 puts the first reserved record at 2")
        << one << 3 << QStringList{u"blank"_qs, u"blank"_qs, u"4:1"_qs};
    QTest::newRow("start 1 adds no blank") << one << 1 << QStringList{u"4:1"_qs};
    QTest::newRow("start 0 adds no blank") << one << 0 << QStringList{u"4:1"_qs};
    QTest::newRow("negative start adds no blank") << one << -4 << QStringList{u"4:1"_qs};

    // Added in another order than the groups': the list follows the groups.
    AddressBook order;
    addTagged(order, 3, u"t0"_qs, 1);
    addTagged(order, 18, u"y0"_qs, 1);
    addTagged(order, 0, u"a0"_qs, 1);
    addTagged(order, 2, u"s0"_qs, 1);
    addTagged(order, 0, u"a1"_qs, 1);
    QTest::newRow("groups in order")
        << order << 1 << QStringList{u"0:0"_qs, u"0:1"_qs, u"2:0"_qs, u"3:0"_qs, u"18:0"_qs};

    AddressBook stored;
    for (int f : {1, 0, 1, 1, 0})
        addTagged(stored, 1, u"k"_qs + QString::number(stored.group(1).recordCount()), f);
    QTest::newRow("stored order, unreserved skipped")
        << stored << 2 << QStringList{u"blank"_qs, u"1:0"_qs, u"1:2"_qs, u"1:3"_qs};

    AddressBook senders;
    addTagged(senders, 19, u"me"_qs, 1);
    addTagged(senders, 19, u"me too"_qs, 1);
    addTagged(senders, 9, u"w"_qs, 1);
    QTest::newRow("senders never") << senders << 1 << QStringList{u"9:0"_qs};

    AddressBook nonzero;
    addTagged(nonzero, 6, u"m0"_qs, 2);
    addTagged(nonzero, 6, u"m1"_qs, -1);
    addTagged(nonzero, 6, u"m2"_qs, 0);
    QTest::newRow("any non-zero flag reserves")
        << nonzero << 1 << QStringList{u"6:0"_qs, u"6:1"_qs};

    // A foreign group: record 2 has no flag at all, record 3 only a flag.
    AddressBook foreign;
    for (int i = 0; i < 3; ++i)
        foreign.group(7).setField(i, CAddressData::Name, u"name"_qs + QString::number(i));
    foreign.group(7).setFlag(0, 1);
    foreign.group(7).setFlag(1, 0);
    foreign.group(7).setFlag(3, 1);
    QTest::newRow("foreign group") << foreign << 1 << QStringList{u"7:0"_qs, u"7:3"_qs};
}

void TestAddressBook::recordList()
{
    QFETCH(AddressBook, book);
    QFETCH(int, printStart);
    QFETCH(QStringList, expected);

    const CAddressData list = book.buildRecordList(printStart);
    QCOMPARE(list.recordCount(), expected.size());
    // Built by appending, the list's record columns are all of one length.
    for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
        if (!reserved(c))
            QCOMPARE(list.textColumn(c).size(), expected.size());
    }
    QCOMPARE(list.flags().size(), expected.size());

    for (int i = 0; i < expected.size(); ++i) {
        if (expected[i] == u"blank") {
            for (int c = 0; c < CAddressData::TextColumnCount; ++c)
                QVERIFY2(list.field(i, c).isEmpty(), qPrintable(QString::number(c)));
            QCOMPARE(list.flag(i), 0);
            continue;
        }
        const int g = expected[i].section(u':', 0, 0).toInt();
        const int r = expected[i].section(u':', 1, 1).toInt();
        for (int c = 0; c < CAddressData::TextColumnCount; ++c) {
            if (!reserved(c))
                QCOMPARE(list.field(i, c), book.group(g).field(r, c));
        }
    }
}

// ---------------------------------------------------------------------------------------
// Record operations

void TestAddressBook::removeRecordTakesItsHistory_data()
{
    QTest::addColumn<int>("remove");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("history"); // "key subject"

    const QStringList all = {u"KA-1 年賀状"_qs, u"KA-12 暑中見舞い"_qs, u"KA-1 喪中"_qs,
                             u"KA-2 寒中見舞い"_qs, u"KA-1 お中元"_qs};
    QTest::newRow("KA-1 takes its rows, not those of KA-12")
        << 0 << QStringList{u"KA-12"_qs, u"KA-2"_qs, u"KA-3"_qs}
        << QStringList{u"KA-12 暑中見舞い"_qs, u"KA-2 寒中見舞い"_qs};
    QTest::newRow("KA-12") << 1 << QStringList{u"KA-1"_qs, u"KA-2"_qs, u"KA-3"_qs}
                           << QStringList{u"KA-1 年賀状"_qs, u"KA-1 喪中"_qs, u"KA-2 寒中見舞い"_qs,
                                          u"KA-1 お中元"_qs};
    QTest::newRow("a record without history")
        << 3 << QStringList{u"KA-1"_qs, u"KA-12"_qs, u"KA-2"_qs} << all;
    QTest::newRow("index past the end")
        << 4 << QStringList{u"KA-1"_qs, u"KA-12"_qs, u"KA-2"_qs, u"KA-3"_qs} << all;
    QTest::newRow("negative index")
        << -1 << QStringList{u"KA-1"_qs, u"KA-12"_qs, u"KA-2"_qs, u"KA-3"_qs} << all;
}

void TestAddressBook::removeRecordTakesItsHistory()
{
    QFETCH(int, remove);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, history);

    AddressBook book;
    CAddressData& g = book.group(1);
    for (const char16_t* entry : {u"KA-1", u"KA-12", u"KA-2", u"KA-3"})
        g.appendRecord(taggedRecord(QString::fromUtf16(entry), QString::fromUtf16(entry)));
    g.appendHistory(u"KA-1"_qs, u"年賀状"_qs, u"2023/01/01"_qs, QString());
    g.appendHistory(u"KA-12"_qs, u"暑中見舞い"_qs, u"2023/07/15"_qs, QString());
    g.appendHistory(u"KA-1"_qs, u"喪中"_qs, u"2023/11/20"_qs, QString());
    g.appendHistory(u"KA-2"_qs, u"寒中見舞い"_qs, u"2024/01/10"_qs, QString());
    g.appendHistory(u"KA-1"_qs, u"お中元"_qs, u"2024/07/01"_qs, QString());
    // Another group's history with the same key is no business of group 1.
    book.group(2).appendHistory(u"KA-1"_qs, u"年賀状"_qs, QString(), QString());
    const CAddressData otherBefore = book.group(2);

    g.removeRecord(remove);

    QCOMPARE(g.textColumn(CAddressData::EntryNumber), entries);
    // The other columns moved with the entry number.
    for (int r = 0; r < g.recordCount(); ++r)
        QCOMPARE(g.field(r, CAddressData::Name), entries[r] + u"/5"_qs);
    QStringList rows;
    for (int r = 0; r < g.historyCount(); ++r)
        rows.append(g.history(r, CAddressData::HistoryKey) + u' ' +
                    g.history(r, CAddressData::HistorySubject));
    QCOMPARE(rows, history);
    for (int c = CAddressData::HistoryKey; c < CAddressData::ColumnCount; ++c)
        QCOMPARE(g.textColumn(c).size(), history.size());
    QVERIFY(book.group(2) == otherBefore);
}

void TestAddressBook::nextEntryNumber_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty group") << 1 << QStringList() << u"KA-1"_qs;
    QTest::newRow("largest plus one, not count plus one")
        << 1 << QStringList{u"KA-1"_qs, u"KA-12"_qs, u"KA-3"_qs} << u"KA-13"_qs;
    QTest::newRow("leading zeros read, not written")
        << 1 << QStringList{u"KA-007"_qs} << u"KA-8"_qs;
    QTest::newRow("unparsable ignored")
        << 1 << QStringList{u"KA-"_qs, u"KA-x"_qs,  u"KA-3a"_qs,   u"KA-1.5"_qs,
                            QString(), u"ka-20"_qs, u"KA-１２"_qs, u"KA-99999999999999999999"_qs,
                            u"KA-4"_qs}
        << u"KA-5"_qs;
    QTest::newRow("only unparsable") << 1 << QStringList{u"KA-x"_qs, QString()} << u"KA-1"_qs;
    QTest::newRow("other prefixes ignored")
        << 0 << QStringList{u"ABC-50"_qs, u"KA-40"_qs, u"A-9"_qs} << u"A-10"_qs;
    QTest::newRow("Latin block") << 10 << QStringList{u"A-50"_qs, u"ABC-3"_qs} << u"ABC-4"_qs;
    QTest::newRow("sender group") << 19 << QStringList{u"SENDER-2"_qs} << u"SENDER-3"_qs;
    QTest::newRow("past 32 bits") << 18 << QStringList{u"YZ-2147483648"_qs} << u"YZ-2147483649"_qs;
    QTest::newRow("negative ignored") << 3 << QStringList{u"TA--5"_qs} << u"TA-1"_qs;
}

void TestAddressBook::nextEntryNumber()
{
    QFETCH(int, group);
    QFETCH(QStringList, entries);
    QFETCH(QString, expected);

    AddressBook book;
    for (const QString& e : entries)
        book.group(group).appendRecord(taggedRecord(e, u"r"_qs));
    QCOMPARE(book.nextEntryNumber(group), expected);
    // Other groups do not count.
    QCOMPARE(book.nextEntryNumber((group + 1) % AddressBook::GroupCount),
             AddressBook::entryPrefix((group + 1) % AddressBook::GroupCount) + u'1');
}

QTEST_APPLESS_MAIN(TestAddressBook)
#include "tst_addressbook.moc"
