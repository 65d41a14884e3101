// Receiving a database program's strings: reading "KLTTmp.dat" (damaged, missing and
// hostile files included) and placing the strings on the current sheet.

#include "address/AddressBook.h"
#include "app/CommandChannel.h"
#include "app/RegionListModel.h"
#include "base/ArchiveWriter.h"
#include "datasource/DatabaseExchangeFile.h"
#include "datasource/DatabaseReception.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/PageObjects.h"
#include "model/TemplateFile.h"
#include "pages/Pagination.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const QString Refusal = QStringLiteral("データベースのデータを受信できません。");

QStringList L(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* item : items)
        out.append(QString::fromUtf8(item));
    return out;
}

QByteArray listBytes(const QStringList& strings)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter out(&buffer);
    DatabaseExchangeFile::write(out, strings);
    out.finish();
    return bytes;
}

// Three sheets of 100 × 100 mm, one under the other, with two regions each ("s.r").
struct Fixture
{
    QTemporaryDir dir;
    MemoryProfile profile;
    std::unique_ptr<CORINOTEDoc> doc;

    explicit Fixture(int currentSheet = 2)
    {
        doc = std::make_unique<CORINOTEDoc>(&profile);
        doc->dataFolder = dir.path();
        for (int s = 1; s <= 3; ++s) {
            Sheet sheet;
            sheet.rect = Rect{0, -1000 * (s - 1), 1000, -1000 * s};
            doc->sheets().append(sheet);
            for (int r = 1; r <= 2; ++r) {
                TextRect region;
                region.text = QStringLiteral("%1.%2").arg(s).arg(r);
                region.rect = Rect{100, sheet.rect.top - 300 * r, 900, sheet.rect.top - 300 * r - 200};
                region.sheetNo = region.orderSheetNo = s;
                region.layer = 3;
                doc->textRects().append(region);
            }
        }
        doc->scalars().currentSheetNo = currentSheet;
        doc->setModified(false);
    }
    QString exchangePath() const { return DatabaseExchangeFile::filePath(dir.path()); }
    void writeExchange(const QByteArray& bytes) const
    {
        QFile file(exchangePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList texts() const { return doc->textRects().arrays().text; }
};

} // namespace

class TestDatabaseReception : public QObject
{
    Q_OBJECT
private slots:
    void openRequests_data();
    void openRequests();
    void readsWhatWasWritten_data();
    void readsWhatWasWritten();
    void oneWayCharactersKeptAsWritten();
    void refusesDamagedFiles_data();
    void refusesDamagedFiles();
    void refusesOverlongStrings();
    void refusesWhatIsNoFile();
    void placesOnCurrentSheet_data();
    void placesOnCurrentSheet();
    void refusesMoreStringsThanRegions();
    void receptionKeepsEveryPageItsOwn();
    void refusesWithoutCurrentSheet_data();
    void refusesWithoutCurrentSheet();
    void receivesFromDataFolder();
    void missingFileChangesNothing();
    void asksOnlyWithRegions();
    void commandsFromAnotherProgram();
    void connectionsAreLimited();
    void otherUsersAreNotHeard();
    void channelFolder_data();
    void channelFolder();
};

void TestDatabaseReception::readsWhatWasWritten_data()
{
    QTest::addColumn<QStringList>("strings");
    QTest::newRow("none") << QStringList();
    QTest::newRow("address") << QStringList{QStringLiteral("〒100-0001"),
                                            QStringLiteral("東京都千代田区千代田1-1"),
                                            QStringLiteral("山田 太郎 様")};
    QTest::newRow("empty strings") << QStringList{QString(), QStringLiteral("a"), QString()};
    QTest::newRow("not in CP932") << QStringList{QStringLiteral("𠮷田")};
    // The longest strings taken; longer length prefixes are the archive's own test.
    QTest::newRow("long") << QStringList{QString(300, u'x'),
                                         QString(DatabaseExchangeFile::MaxStringLength, u'亜')};
}

void TestDatabaseReception::readsWhatWasWritten()
{
    QFETCH(QStringList, strings);
    Fixture f;
    f.writeExchange(listBytes(strings));
    QStringList read{QStringLiteral("old")};
    QCOMPARE(DatabaseExchangeFile::take(f.exchangePath(), read), QString());
    QCOMPARE(read, strings);
    QVERIFY(!QFile::exists(f.exchangePath())); // taken once
}

void TestDatabaseReception::oneWayCharactersKeptAsWritten()
{
    // Their CP932 bytes read as other characters (¢ 0x8191 as ￠), so they are written in
    // the wide form, as 𠮷 is, which has no CP932 form at all: all read back as written.
    Fixture f;
    f.writeExchange(listBytes(L({"¢", "1〜3", "−5", "𠮷田"})));
    QStringList read;
    QCOMPARE(DatabaseExchangeFile::take(f.exchangePath(), read), QString());
    QCOMPARE(read, L({"¢", "1〜3", "−5", "𠮷田"}));
}

void TestDatabaseReception::refusesDamagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray three = listBytes({QStringLiteral("山田"), QStringLiteral("太郎"),
                                        QStringLiteral("様")});
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("half a count") << QByteArray("\x02", 1);
    QTest::newRow("last string cut") << three.left(three.size() - 1);
    QTest::newRow("count of 65,534 over 3 bytes") << QByteArray("\xfe\xff\x01\x61\x00", 5);
    QTest::newRow("long count of 4 billion") << QByteArray("\xff\xff\xff\xff\xff\xff\x00", 7);
    QTest::newRow("length claims 4 GB") << QByteArray("\x01\x00\xff\xff\xff\xff\xff\xff\xff", 9);
}

void TestDatabaseReception::refusesDamagedFiles()
{
    QFETCH(QByteArray, bytes);
    Fixture f;
    f.writeExchange(bytes);
    QStringList read{QStringLiteral("old")};
    QCOMPARE(DatabaseExchangeFile::take(f.exchangePath(), read), Refusal);
    QVERIFY(read.isEmpty());
    QVERIFY(QFile::exists(f.exchangePath())); // left for whoever wrote it
}

// A string longer than any region can show is refused with the whole file, which stays.
void TestDatabaseReception::refusesOverlongStrings()
{
    Fixture f;
    const QString longest(DatabaseExchangeFile::MaxStringLength, u'あ');
    f.writeExchange(listBytes({u"山田"_qs, longest}));
    QStringList read;
    QCOMPARE(DatabaseExchangeFile::take(f.exchangePath(), read), QString());
    QCOMPARE(read.last().size(), DatabaseExchangeFile::MaxStringLength);
    f.writeExchange(listBytes({u"山田"_qs, longest + u'い'}));
    QVERIFY(DatabaseExchangeFile::take(f.exchangePath(), read).contains(u"長すぎます"_qs));
    QVERIFY(read.isEmpty());
    QVERIFY(QFile::exists(f.exchangePath()));
}

void TestDatabaseReception::refusesWhatIsNoFile()
{
    Fixture f;
    QStringList read;
    QCOMPARE(DatabaseExchangeFile::take(f.exchangePath(), read), Refusal); // missing
    QVERIFY(QDir(f.dir.path()).mkdir(DatabaseExchangeFile::fileName()));
    QCOMPARE(DatabaseExchangeFile::take(f.exchangePath(), read), Refusal); // a folder
    QVERIFY(QDir(f.dir.path()).rmdir(DatabaseExchangeFile::fileName()));
    QCOMPARE(mkfifo(QFile::encodeName(f.exchangePath()).constData(), 0600), 0);
    QCOMPARE(DatabaseExchangeFile::take(f.exchangePath(), read), Refusal); // would block
}

void TestDatabaseReception::placesOnCurrentSheet_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<QStringList>("strings");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("sheet 2, as many strings as regions")
        << 2 << L({"a", "b"}) << L({"1.1", "1.2", "a", "b", "3.1", "3.2"});
    QTest::newRow("sheet 2, one string: the second region is emptied")
        << 2 << L({"a"}) << L({"1.1", "1.2", "a", "", "3.1", "3.2"});
    QTest::newRow("sheet 1, none: its regions are emptied")
        << 1 << QStringList() << L({"", "", "2.1", "2.2", "3.1", "3.2"});
    QTest::newRow("last sheet")
        << 3 << L({"x", "y"}) << L({"1.1", "1.2", "2.1", "2.2", "x", "y"});
}

void TestDatabaseReception::placesOnCurrentSheet()
{
    QFETCH(int, sheet);
    QFETCH(QStringList, strings);
    QFETCH(QStringList, texts);
    Fixture f(sheet);
    QList<Rect> before;
    for (int i = 0; i < f.doc->textRects().size(); ++i)
        before.append(f.doc->textRects().rect(i));
    f.doc->selection().textRect = 0;
    QCOMPARE(DatabaseReception::place(*f.doc, strings), QString());
    QCOMPARE(f.texts(), texts);
    const TextRectFamily& regions = f.doc->textRects();
    QCOMPARE(regions.arrays().minSize(), regions.arrays().maxSize());
    for (int i = 0; i < regions.size(); ++i) {
        // Every region keeps its place and its sheet: the pages find them by position.
        QCOMPARE(regions.rect(i), before.at(i));
        QCOMPARE(regions.sheetNo(i), i / 2 + 1);
        if (regions.sheetNo(i) == sheet) {
            QCOMPARE(regions.orderSheetNo(i), sheet);
            QCOMPARE(regions.layer(i), 1); // the attributes of a new region
            QCOMPARE(regions.font(i).faceName(), QStringLiteral("ＭＳ Ｐゴシック"));
        } else {
            QCOMPARE(regions.layer(i), 3);
        }
    }
    QCOMPARE(f.doc->selection().textRect, -1);
    QVERIFY(f.doc->isModified());
}

// More strings than the sheet has regions: refused whole, the file kept for another try.
void TestDatabaseReception::refusesMoreStringsThanRegions()
{
    Fixture f(2);
    const QStringList before = f.texts();
    const QString expected = QStringLiteral(
        "受信した文字列は3個ですが、現在のシートの文字列編集領域は2個です。"
        "テンプレートに文字列編集領域を追加してから受信しなおしてください。");
    QCOMPARE(DatabaseReception::place(*f.doc, L({"a", "b", "c"})), expected);
    f.writeExchange(listBytes(L({"a", "b", "c"})));
    QCOMPARE(DatabaseReception::receive(*f.doc), expected);
    QCOMPARE(f.texts(), before);
    QVERIFY(!f.doc->isModified());
    QVERIFY(QFile::exists(f.exchangePath()));
}

// The bundled postcard with the sample's reserved records, one card per page: strings
// received on the first card stay on page 1, and page 2 still shows the second record.
void TestDatabaseReception::receptionKeepsEveryPageItsOwn()
{
    MemoryProfile profile;
    QTemporaryDir data;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = data.path();
    doc.newDocument();
    QCOMPARE(TemplateFile::apply(doc, QStringLiteral(ORINOTE_CATALOGUE_DIR) +
                                          QStringLiteral("/はがき宛名（縦書き）.ont")),
             QString());
    QCOMPARE(doc.addressBook().loadFile(QStringLiteral(ORINOTE_SAMPLE_BOOK)), QString());
    Pagination::buildFromReservation(doc, QDate(2024, 1, 1), nullptr);
    const int m = doc.regionsPerSheet();
    QVERIFY(m >= 5);
    QVERIFY(doc.pageCount() >= 3);
    const int regionsBefore = doc.textRects().size();
    QStringList secondPage;
    for (int i = m; i < 2 * m; ++i)
        secondPage.append(doc.textRects().text(i));

    doc.scalars().currentSheetNo = 1;
    const QStringList strings = L({"一", "二", "三", "四", "五"});
    QCOMPARE(DatabaseReception::place(doc, strings), QString());
    QCOMPARE(doc.textRects().size(), regionsBefore);
    for (int page = 1; page <= doc.pageCount(); ++page) {
        const PageObjects o = PageObjects::of(doc, page);
        QCOMPARE(o.regionCount, m);
        for (int i = o.firstRegion; i < o.firstRegion + o.regionCount; ++i)
            QCOMPARE(doc.textRects().sheetNo(i), page);
    }
    for (int k = 0; k < m; ++k)
        QCOMPARE(doc.textRects().text(k), k < strings.size() ? strings.at(k) : QString());
    for (int k = 0; k < m; ++k)
        QCOMPARE(doc.textRects().text(m + k), secondPage.at(k));
    // The form's page column follows the same positions.
    RegionListModel list(doc);
    QCOMPARE(list.data(list.index(m - 1, 4)).toString(), QStringLiteral("1"));
    QCOMPARE(list.data(list.index(m, 4)).toString(), QStringLiteral("2"));
}

void TestDatabaseReception::refusesWithoutCurrentSheet_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("templateMode");
    QTest::newRow("sheet 0") << 0 << 0;
    QTest::newRow("sheet 4 of 3") << 4 << 0;
    QTest::newRow("negative") << -7 << 0;
    QTest::newRow("template mode") << 2 << 1;
}

void TestDatabaseReception::refusesWithoutCurrentSheet()
{
    QFETCH(int, sheet);
    QFETCH(int, templateMode);
    Fixture f(sheet);
    f.doc->templateMode = templateMode;
    const QStringList before = f.texts();
    QCOMPARE(DatabaseReception::place(*f.doc, L({"a"})), Refusal);
    f.writeExchange(listBytes(L({"a"})));
    QCOMPARE(DatabaseReception::receive(*f.doc), Refusal);
    QCOMPARE(f.texts(), before);
    QVERIFY(!f.doc->isModified());
    QVERIFY(QFile::exists(f.exchangePath()));
}

void TestDatabaseReception::receivesFromDataFolder()
{
    Fixture f(1);
    f.writeExchange(listBytes({QStringLiteral("佐藤"), QStringLiteral("花子")}));
    QCOMPARE(DatabaseReception::receive(*f.doc), QString());
    QCOMPARE(f.texts().mid(0, 3), (L({"佐藤", "花子", "2.1"})));
    QVERIFY(f.doc->isModified());
    QVERIFY(!QFile::exists(f.exchangePath()));
    f.doc->undo(); // the snapshot was taken before the regions changed
    QCOMPARE(f.texts().mid(0, 3), (L({"1.1", "1.2", "2.1"})));
}

void TestDatabaseReception::missingFileChangesNothing()
{
    Fixture f(1);
    const QStringList before = f.texts();
    QCOMPARE(DatabaseReception::receive(*f.doc), Refusal);
    f.writeExchange(QByteArray("\x03\x00\x01", 3));
    QCOMPARE(DatabaseReception::receive(*f.doc), Refusal);
    QCOMPARE(f.texts(), before);
    QVERIFY(!f.doc->isModified());
}

void TestDatabaseReception::asksOnlyWithRegions()
{
    Fixture f;
    QVERIFY(DatabaseReception::asksFirst(*f.doc));
    QCOMPARE(DatabaseReception::question(),
             QStringLiteral("現在のシートの文字列は消去されますがよろしいですか？"));
    f.doc->textRects().clear();
    QVERIFY(!DatabaseReception::asksFirst(*f.doc));
}

void TestDatabaseReception::commandsFromAnotherProgram()
{
    const QString name = QStringLiteral("orinote-test-%1").arg(QCoreApplication::applicationPid());
    QCOMPARE(CommandChannel::send(184, name, 200), QStringLiteral("ORINOTEが起動していません。"));

    // A socket file left by a copy that crashed is taken over.
    const QString path = QDir(QDir::tempPath()).filePath(name);
    {
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
    }
    CommandChannel channel(name);
    QVERIFY(channel.listen());
    CommandChannel second(name); // a second copy leaves the channel to the first
    QVERIFY(!second.listen());
    QSignalSpy received(&channel, &CommandChannel::commandReceived);
    // A command's question runs an event loop of its own while the sender goes away.
    connect(&channel, &CommandChannel::commandReceived, this, [] { QTest::qWait(100); });

    QCOMPARE(CommandChannel::send(184, name), QString());
    QVERIFY(received.wait(2000));
    QCOMPARE(received.takeFirst().at(0).toInt(), 184);

    // Only 184 comes from outside; other numbers, text and floods are ignored.
    QVERIFY(!CommandChannel::send(57603, name).isEmpty());
    QLocalSocket socket;
    socket.connectToServer(name);
    QVERIFY(socket.waitForConnected(2000));
    socket.write("57603\nhello\n" + QByteArray(4096, 'x'));
    QVERIFY(socket.waitForBytesWritten(2000));
    QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState); // dropped by the program
    QCOMPARE(CommandChannel::send(184, name), QString());
    QVERIFY(received.wait(2000));
    QCOMPARE(received.size(), 1);
    QCOMPARE(received.takeFirst().at(0).toInt(), 184);
}

// At most a few senders at once, and none that stays silent: a further connection is
// closed as it comes, an idle one after the idle time, and then the channel serves again.
void TestDatabaseReception::connectionsAreLimited()
{
    const QString name =
        QStringLiteral("orinote-limit-test-%1").arg(QCoreApplication::applicationPid());
    CommandChannel channel(name);
    channel.setIdleTimeout(500);
    QVERIFY(channel.listen());
    QSignalSpy received(&channel, &CommandChannel::commandReceived);
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < CommandChannel::MaxConnections; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(name);
        QVERIFY(idle.back()->waitForConnected(2000));
    }
    QLocalSocket extra;
    extra.connectToServer(name);
    QVERIFY(extra.waitForConnected(2000));
    QTRY_COMPARE_WITH_TIMEOUT(extra.state(), QLocalSocket::UnconnectedState, 400);
    for (const auto& socket : idle)
        QCOMPARE(socket->state(), QLocalSocket::ConnectedState);
    for (const auto& socket : idle)
        QTRY_COMPARE_WITH_TIMEOUT(socket->state(), QLocalSocket::UnconnectedState, 2000);
    QCOMPARE(received.size(), 0);
    QCOMPARE(CommandChannel::send(184, name), QString());
    QVERIFY(received.wait(2000));
}

// A connection from another user's program is closed unheard (the test plays that user
// by making the channel expect someone else).
void TestDatabaseReception::otherUsersAreNotHeard()
{
    const QString name =
        QStringLiteral("orinote-peer-test-%1").arg(QCoreApplication::applicationPid());
    CommandChannel channel(name);
    channel.setPeerUser(::geteuid() + 1);
    QVERIFY(channel.listen());
    QSignalSpy received(&channel, &CommandChannel::commandReceived);
    QLocalSocket socket;
    socket.connectToServer(name);
    QVERIFY(socket.waitForConnected(2000));
    socket.write("184\n");
    socket.waitForBytesWritten(2000);
    QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
    QVERIFY(!received.wait(300));
}

// Where the socket goes: the runtime folder when there is one, otherwise a folder of its
// own made in the cache folder; never a folder another user owns or may enter.
void TestDatabaseReception::channelFolder_data()
{
    QTest::addColumn<QString>("runtime"); // relative to a scratch folder; empty: none
    QTest::addColumn<QString>("prepare"); // what is there before
    QTest::addColumn<QString>("socket");  // relative to the scratch folder; empty: refused
    QTest::newRow("runtime folder") << u"run"_qs << u"run 0700"_qs << u"run/orinote-command"_qs;
    QTest::newRow("runtime folder open to others") << u"run"_qs << u"run 0755"_qs << QString();
    QTest::newRow("without a runtime folder")
        << QString() << QString() << u"cache/orinote-command/channel"_qs;
    QTest::newRow("cache folder made before")
        << QString() << u"cache/orinote-command 0700"_qs << u"cache/orinote-command/channel"_qs;
    QTest::newRow("cache folder open to the group")
        << QString() << u"cache/orinote-command 0750"_qs << QString();
    QTest::newRow("cache folder a link") << QString() << u"link"_qs << QString();
    QTest::newRow("cache folder another user's") << QString() << u"other"_qs << QString();
}

void TestDatabaseReception::channelFolder()
{
    QFETCH(QString, runtime);
    QFETCH(QString, prepare);
    QFETCH(QString, socket);
    QTemporaryDir dir;
    const QString own = dir.filePath(u"cache/orinote-command"_qs);
    if (prepare == u"link"_qs) {
        QVERIFY(QDir().mkpath(dir.filePath(u"elsewhere"_qs)));
        QVERIFY(QDir().mkpath(dir.filePath(u"cache"_qs)));
        QVERIFY(QFile::link(dir.filePath(u"elsewhere"_qs), own));
    } else if (prepare == u"other"_qs) {
        if (::geteuid() != 0)
            QSKIP("Only root can give a folder to another user.");
        QVERIFY(QDir().mkpath(own));
        QCOMPARE(::chmod(QFile::encodeName(own).constData(), 0700), 0);
        QCOMPARE(::chown(QFile::encodeName(own).constData(), 65534, 65534), 0);
    } else if (!prepare.isEmpty()) {
        const QStringList parts = prepare.split(u' ');
        QVERIFY(QDir().mkpath(dir.filePath(parts[0])));
        QCOMPARE(::chmod(QFile::encodeName(dir.filePath(parts[0])).constData(),
                         parts[1].toUInt(nullptr, 8)),
                 0);
    }
    QString error;
    const QString name = CommandChannel::serverNameIn(
        runtime.isEmpty() ? QString() : dir.filePath(runtime), dir.filePath(u"cache"_qs), &error);
    if (socket.isEmpty()) {
        QCOMPARE(name, QString());
        QVERIFY(!error.isEmpty());
        CommandChannel channel(name);
        QVERIFY(!channel.listen());
        return;
    }
    QCOMPARE(name, dir.filePath(socket));
    QCOMPARE(error, QString());
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(QFileInfo(name).absolutePath()).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0700));
    CommandChannel channel(name);
    QVERIFY(channel.listen());
}

// A second copy started on a document hands it to the running one: an absolute path comes
// through (also one with spaces and Japanese), waiting while the running copy is busy;
// what is not an absolute path is ignored.
void TestDatabaseReception::openRequests_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("held");
    QTest::newRow("absolute") << QByteArray("open /home/u/年賀 状.ond\n")
                              << QStringLiteral("/home/u/年賀 状.ond") << false;
    QTest::newRow("while busy") << QByteArray("open /tmp/a.ond\r\n") << QStringLiteral("/tmp/a.ond")
                                << true;
    QTest::newRow("relative") << QByteArray("open a.ond\n") << QString() << false;
    QTest::newRow("no path") << QByteArray("open\n") << QString() << false;
    // Past the line limit the whole line is dropped: its tail is no command of its own.
    QTest::newRow("too long") << QByteArray("open /") + QByteArray(3993, 'a') + "184\n"
                              << QString() << false;
}

void TestDatabaseReception::openRequests()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, path);
    QFETCH(bool, held);
    const QString name = QStringLiteral("orinote-open-test-%1").arg(QCoreApplication::applicationPid());
    CommandChannel channel(name);
    QVERIFY(channel.listen());
    QSignalSpy opened(&channel, &CommandChannel::openRequested);
    QSignalSpy commands(&channel, &CommandChannel::commandReceived);
    if (held)
        channel.hold();
    QLocalSocket socket;
    socket.connectToServer(name);
    QVERIFY(socket.waitForConnected(2000));
    socket.write(line);
    QVERIFY(socket.waitForBytesWritten(2000));
    QTest::qWait(200);
    if (held) {
        QCOMPARE(opened.size(), 0);
        channel.release();
    }
    if (path.isEmpty()) {
        QTest::qWait(100);
        QCOMPARE(opened.size(), 0);
        QCOMPARE(commands.size(), 0);
        return;
    }
    QTRY_COMPARE(opened.size(), 1);
    QCOMPARE(opened.first().at(0).toString(), path);
    // sendOpen makes the path absolute.
    QCOMPARE(CommandChannel::sendOpen(QStringLiteral("b.ond"), name), QString());
    QTRY_COMPARE(opened.size(), 2);
    QCOMPARE(opened.last().at(0).toString(), QDir::current().absoluteFilePath(QStringLiteral("b.ond")));
}

QTEST_GUILESS_MAIN(TestDatabaseReception)
#include "tst_databasereception.moc"
