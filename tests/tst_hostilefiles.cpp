// Files a crash, a careless hand or a hostile user leaves where the programs read: each
// is refused or brought within bounds with a word, and reading it never costs more
// memory than the file could honestly need.

#include "address/AddressBook.h"
#include "base/ArchiveWriter.h"
#include "datasource/DatabaseExchangeFile.h"
#include "model/CORINOTEDoc.h"
#include "model/SettingsProfile.h"
#include "model/UndoSnapshots.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

namespace {

// A book of one record in group あ, the book the user had open.
AddressBook bookWithOne()
{
    AddressBook book;
    book.group(0).appendBlankRecord();
    book.group(0).setField(0, CAddressData::Name, u"山田　太郎"_qs);
    return book;
}

QByteArray emptyBookBytes()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter out(&buffer);
    AddressBook().write(out);
    out.finish();
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

qint64 peakKilobytes()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

class TestHostileFiles : public QObject
{
    Q_OBJECT
private slots:
    void zeroedBookIsRefused_data();
    void zeroedBookIsRefused();
    void settingsNumbersAreClamped_data();
    void settingsNumbersAreClamped();
    void hugeReceptionStringIsRefusedUnread();
};

void TestHostileFiles::zeroedBookIsRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("refused");
    const QByteArray empty = emptyBookBytes();
    QTest::newRow("4 KB of zeros") << QByteArray(4096, '\0') << true;
    QTest::newRow("1 MB of zeros") << QByteArray(1 << 20, '\0') << true;
    QTest::newRow("empty book, then zeros") << empty + QByteArray(100, '\0') << true;
    // An empty book as the program writes it is zeros too, and is a book.
    QTest::newRow("an empty book") << empty << false;
}

// A file of zeros (what a crash during a copy leaves) loads as an empty book: refused,
// naming the file, and the book that was open stays as it was.
void TestHostileFiles::zeroedBookIsRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"book.ona"_qs);
    QVERIFY(writeFile(path, content));
    AddressBook book = bookWithOne();
    const QString message = book.loadFile(path);
    if (refused) {
        QVERIFY2(message.contains(u"住所録ファイルではありません"_qs), qPrintable(message));
        QVERIFY(message.contains(path));
        QVERIFY(book == bookWithOne());
    } else {
        QCOMPARE(message, QString());
        QVERIFY(book == AddressBook());
    }
}

void TestHostileFiles::settingsNumbersAreClamped_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("read");
    QTest::addColumn<bool>("named");
    QTest::newRow("PosX at int's end") << u"PosX"_qs << u"2147483647"_qs << 1000 << true;
    QTest::newRow("PosY past int") << u"PosY"_qs << u"-99999999999"_qs << -1000 << true;
    QTest::newRow("PosX within") << u"PosX"_qs << u"-250"_qs << -250 << false;
    QTest::newRow("zoom") << u"BN"_qs << u"40"_qs << 5 << true;
    QTest::newRow("undo steps") << UndoSnapshots::depthKey() << u"0"_qs << 1 << true;
    QTest::newRow("grid") << u"GRIDNUM"_qs << u"-7"_qs << 0 << true;
    QTest::newRow("fitting of data") << u"TROD"_qs << u"9"_qs << 3 << true;
    QTest::newRow("not a number") << u"PosX"_qs << u"left"_qs << 0 << false;
    // Flags are read as zero or not and have no range.
    QTest::newRow("a flag") << u"RNUM"_qs << u"-5"_qs << -5 << false;
}

// Every numeric key is read within its range, as --offset takes only -1000 to 1000, and
// the message of the start names each key beyond it once.
void TestHostileFiles::settingsNumbersAreClamped()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(int, read);
    QFETCH(bool, named);
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"settings.ini"_qs);
    QVERIFY(writeFile(ini, (u"[ON]\n"_qs + key + u'=' + stored + u'\n').toUtf8()));
    SettingsProfile profile(ini);
    QCOMPARE(profile.readInt(key, 0), read);
    QCOMPARE(profile.rangeMessage().contains(key + u'=' + stored), named);
    if (key.startsWith(u"Pos"_qs)) {
        CORINOTEDoc doc(&profile);
        doc.readPrintOffsets();
        QCOMPARE(key == u"PosX"_qs ? doc.printOffsetX : doc.printOffsetY, read);
    }
}

// A received list that declares a string of hundreds of megabytes is refused by that
// length before the string is read: the file is sparse, so it costs no disk, and the
// reader's peak memory stays far below the string's size.
void TestHostileFiles::hugeReceptionStringIsRefusedUnread()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(DatabaseExchangeFile::fileName());
    const quint32 length = 300u << 20;
    QByteArray head;
    head.append('\x01').append('\0');                 // one string
    head.append('\xFF').append('\xFF').append('\xFF'); // its length in the long form
    for (int i = 0; i < 4; ++i)
        head.append(char((length >> (8 * i)) & 0xFF));
    QVERIFY(writeFile(path, head));
    QVERIFY(QFile::resize(path, head.size() + qint64(length)));

    const qint64 before = peakKilobytes();
    QStringList strings;
    const QString message = DatabaseExchangeFile::take(path, strings);
    const qint64 grown = peakKilobytes() - before;
    QVERIFY2(message.contains(u"長すぎます"_qs), qPrintable(message));
    QVERIFY(strings.isEmpty());
    QVERIFY(QFile::exists(path));
    QVERIFY2(grown < 64 * 1024, qPrintable(QStringLiteral("peak grew by %1 KB").arg(grown)));
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
