#include "address/AddressBook.h"
#include "address/AddressCsvImport.h"
#include "address/VCardReader.h"
#include "base/RegularFile.h"
#include "catalogue/DefinitionFile.h"
#include "datasource/CsvDataTable.h"
#include "datasource/DatabaseExchangeFile.h"
#include "model/CAutoReplaceData.h"
#include "model/CLabelSheetTemplate.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/MemoryProfile.h"
#include "model/SettingsProfile.h"
#include "model/TemplateFile.h"
#include "pages/PicturePrintCheck.h"
#include "postal/PostalTable.h"
#include "render/PageImageExporter.h"
#include "render/PictureCache.h"
#include "render/PictureFile.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// What each reader makes of a path: true when it dealt with it as it must with a FIFO,
// refused it or went on without it.
using Reader = std::function<bool(const QString& path, const QString& scratch)>;

const QHash<QString, Reader>& readers()
{
    static const QHash<QString, Reader> all{
        {u"document"_qs,
         [](const QString& p, const QString&) {
             MemoryProfile profile;
             CORINOTEDoc doc(&profile);
             return !DocumentFile::open(doc, p).isEmpty();
         }},
        {u"template"_qs,
         [](const QString& p, const QString&) {
             CLabelSheetTemplate t;
             return !TemplateFile::read(t, p).isEmpty();
         }},
        {u"address book"_qs,
         [](const QString& p, const QString&) { return !AddressBook().loadFile(p).isEmpty(); }},
        {u"rules"_qs, [](const QString& p,
                         const QString&) { return !CAutoReplaceData().loadFile(p).isEmpty(); }},
        {u"CSV data"_qs,
         [](const QString& p, const QString&) {
             QStringList lines;
             return !CsvDataTable::readLines(p, &lines).isEmpty();
         }},
        {u"address book CSV import"_qs,
         [](const QString& p, const QString&) {
             QStringList lines;
             return !AddressCsvImport::readLines(p, &lines).isEmpty();
         }},
        {u"vCard"_qs, [](const QString& p,
                         const QString&) { return !VCardReader::readFile(p).error.isEmpty(); }},
        {u"postal table"_qs,
         [](const QString& p, const QString&) { return !PostalTable().load(p).isEmpty(); }},
        {u"database strings"_qs,
         [](const QString& p, const QString&) {
             QStringList strings;
             return !DatabaseExchangeFile::load(p, strings).isEmpty();
         }},
        {u"catalogue definition"_qs,
         [](const QString& p, const QString&) {
             QJsonObject object;
             QString error;
             return !DefinitionFile::readObject(p, 1 << 20, &object, &error);
         }},
        {u"settings"_qs,
         [](const QString& p, const QString&) { return !SettingsProfile::checkPath(p).isEmpty(); }},
        {u"picture size"_qs,
         [](const QString& p, const QString&) { return !PictureFile::size(p).isValid(); }},
        {u"picture"_qs,
         [](const QString& p, const QString&) { return PictureFile::read(p).isNull(); }},
        {u"picture cache"_qs,
         [](const QString& p, const QString&) {
             PictureCache cache;
             return !cache.pictureSize(p, 0).isValid() && cache.picture(p, 0).isNull();
         }},
        // A region's picture: the page image is made without it, and the check before
        // printing names the file.
        {u"page image"_qs,
         [](const QString& p, const QString& scratch) {
             MemoryProfile profile;
             CORINOTEDoc doc(&profile);
             doc.newDocument();
             TextRect r;
             r.rect = Rect{100, -100, 900, -700};
             r.sheetNo = 1;
             r.backPicture = p;
             doc.textRects().append(r);
             doc.templateMode = 0;
             const PicturePrintCheck::Result check = PicturePrintCheck::check(doc);
             return PageImageExporter::exportPages(doc, scratch + u"/page"_qs, 20,
                                                   PageRenderer::Options(), {})
                        .isEmpty() &&
                    check.files == QStringList{p};
         }},
    };
    return all;
}

} // namespace

// Paths that are no regular file: every reader refuses them at once instead of waiting,
// as opening a FIFO waits for a writer and a terminal for a line.
class TestFifoPaths : public QObject
{
    Q_OBJECT
private slots:
    void fifoIsRefusedAtOnce_data();
    void fifoIsRefusedAtOnce();
    void regularFileOpens();
};

void TestFifoPaths::fifoIsRefusedAtOnce_data()
{
    QTest::addColumn<QString>("reader");
    for (const QString& name : readers().keys())
        QTest::newRow(qPrintable(name)) << name;
}

void TestFifoPaths::fifoIsRefusedAtOnce()
{
    QFETCH(QString, reader);
    QTemporaryDir dir;
    const QString fifo = dir.filePath(u"pipe.png"_qs);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    // Should a reader wait on the FIFO, a writer comes after a while and goes again, so
    // that the test fails on its time instead of hanging.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 300 && !done; ++i)
            QThread::msleep(10);
        while (!done) {
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            QThread::msleep(10);
        }
    });
    QElapsedTimer timer;
    timer.start();
    const bool failed = readers().value(reader)(fifo, dir.path());
    const qint64 took = timer.elapsed();
    done = true;
    writer.join();
    QVERIFY2(took < 2000, qPrintable(QStringLiteral("waited %1 ms").arg(took)));
    QVERIFY(failed);
}

// The check does not stand in the way of a plain file, nor of a link to one.
void TestFifoPaths::regularFileOpens()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"plain.txt"_qs);
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("abc\n");
    }
    const QString link = dir.filePath(u"link.txt"_qs);
    QVERIFY(QFile::link(path, link));
    for (const QString& p : {path, link}) {
        QVERIFY(RegularFile::is(p));
        QFile file(p);
        QVERIFY(RegularFile::open(file));
        QCOMPARE(file.readAll(), QByteArray("abc\n"));
        QCOMPARE(file.fileName(), p);
    }
    QVERIFY(!RegularFile::is(dir.path()));
    QFile folder(dir.path());
    QVERIFY(!RegularFile::open(folder));
    QVERIFY(!RegularFile::is(dir.filePath(u"missing"_qs)));
}

QTEST_MAIN(TestFifoPaths)
#include "tst_fifopaths.moc"
