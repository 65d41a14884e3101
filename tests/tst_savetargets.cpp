#include "address/AddressBook.h"
#include "address/AddressCsvExport.h"
#include "address/VCardWriter.h"
#include "addressbook/AddressListPrint.h"
#include "base/SaveTarget.h"
#include "model/CAutoReplaceData.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/MemoryProfile.h"
#include "model/TemplateFile.h"
#include "postal/PostalTableWriter.h"
#include "render/PageImageExporter.h"
#include "render/PdfExporter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Each writer of the program, given a target path; returns its message.
using Writer = std::function<QString(const QString& path)>;

const QHash<QString, Writer>& writers()
{
    static const QHash<QString, Writer> all{
        {u"document"_qs,
         [](const QString& p) {
             MemoryProfile profile;
             CORINOTEDoc doc(&profile);
             doc.newDocument();
             return DocumentFile::save(doc, p);
         }},
        {u"template"_qs,
         [](const QString& p) {
             MemoryProfile profile;
             CORINOTEDoc doc(&profile);
             doc.newDocument();
             return TemplateFile::save(doc, p);
         }},
        {u"address book"_qs, [](const QString& p) { return AddressBook().storeFile(p); }},
        {u"rules"_qs, [](const QString& p) { return CAutoReplaceData().saveFile(p); }},
        {u"PDF"_qs,
         [](const QString& p) {
             MemoryProfile profile;
             CORINOTEDoc doc(&profile);
             doc.newDocument();
             return PdfExporter::exportPdf(doc, p, PrintJob::Settings());
         }},
        {u"page images"_qs,
         [](const QString& p) {
             MemoryProfile profile;
             CORINOTEDoc doc(&profile);
             doc.newDocument();
             // The one page of a new document is written to PREFIX-1.png.
             return PageImageExporter::exportPages(doc, p.chopped(6), 10,
                                                   PageRenderer::Options(), {});
         }},
        {u"vCard"_qs, [](const QString& p) { return VCardWriter::writeFile(p, {}, {}); }},
        {u"CSV export"_qs,
         [](const QString& p) { return AddressCsvExport::write(p, {{u"a"_qs}}); }},
        {u"address list PDF"_qs,
         [](const QString& p) {
             return AddressListPrint::exportPdf(p, {AddressListPrint::Row{}}, u"あ行"_qs,
                                                QDate(2026, 12, 8));
         }},
        {u"postal table"_qs, [](const QString& p) { return PostalTableWriter().save(p); }},
    };
    return all;
}

enum class Kind { Fifo, Socket, Folder };

// Makes a special file of the kind at `path`; true on success.
bool makeSpecial(Kind kind, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    switch (kind) {
    case Kind::Fifo:
        return ::mkfifo(name.constData(), 0600) == 0;
    case Kind::Folder:
        return QDir().mkdir(path);
    case Kind::Socket: {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        if (fd < 0 || size_t(name.size()) >= sizeof addr.sun_path)
            return false;
        qstrcpy(addr.sun_path, name.constData());
        const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        ::close(fd);
        return bound;
    }
    }
    return false;
}

mode_t typeOf(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

} // namespace

// Targets that exist and are no regular file: every writer refuses them with a message
// before writing anything, and the special file stays what it was. A device (/dev/null,
// /dev/full) is such a target too; only root could replace one, so FIFOs, sockets and
// folders stand for them here.
class TestSaveTargets : public QObject
{
    Q_OBJECT
private slots:
    void specialTargetIsKept_data();
    void specialTargetIsKept();
    void linkToSpecialIsRefused();
    void openFailureSaysWhy_data();
    void openFailureSaysWhy();
};

void TestSaveTargets::specialTargetIsKept_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<int>("kind");
    for (const QString& name : writers().keys()) {
        QTest::newRow(qPrintable(name + u" FIFO"_qs)) << name << int(Kind::Fifo);
        QTest::newRow(qPrintable(name + u" socket"_qs)) << name << int(Kind::Socket);
        QTest::newRow(qPrintable(name + u" folder"_qs)) << name << int(Kind::Folder);
    }
}

void TestSaveTargets::specialTargetIsKept()
{
    QFETCH(QString, writer);
    QFETCH(int, kind);
    QTemporaryDir dir;
    // Short: a socket's path has a small limit.
    const QString target = dir.filePath(u"t-1.png"_qs);
    QVERIFY(makeSpecial(Kind(kind), target));
    const mode_t before = typeOf(target);

    const QString message = writers().value(writer)(target);
    QVERIFY2(!message.isEmpty(), "the writer did not refuse the target");
    QVERIFY2(message.contains(QDir::toNativeSeparators(target)), qPrintable(message));
    QCOMPARE(typeOf(target), before);
    // Nothing was written beside it either (no temporary file left over).
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                        QDir::NoDotAndDotDot),
             QStringList{u"t-1.png"_qs});
}

void TestSaveTargets::linkToSpecialIsRefused()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(u"pipe"_qs);
    QVERIFY(makeSpecial(Kind::Fifo, fifo));
    const QString link = dir.filePath(u"out.ond"_qs);
    QVERIFY(QFile::link(fifo, link));
    QVERIFY(!SaveTarget::refusal(link).isEmpty());
    QVERIFY(!SaveTarget::refusal(u"/dev/null"_qs).isEmpty());
    QVERIFY(!writers().value(u"document"_qs)(link).isEmpty());
    QCOMPARE(typeOf(link), mode_t(S_IFLNK));
    QCOMPARE(typeOf(fifo), mode_t(S_IFIFO));

    // A link to a regular file, a regular file and a new name are written.
    const QString plain = dir.filePath(u"plain.ond"_qs);
    QVERIFY(writers().value(u"document"_qs)(plain).isEmpty());
    const QString toPlain = dir.filePath(u"to-plain.ond"_qs);
    QVERIFY(QFile::link(plain, toPlain));
    QVERIFY(SaveTarget::refusal(toPlain).isEmpty());
    QVERIFY(writers().value(u"document"_qs)(toPlain).isEmpty());
}

void TestSaveTargets::openFailureSaysWhy_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("says");
    QTest::newRow("missing folder") << u"no/such/folder/x.ona"_qs << u"がありません"_qs;
    QTest::newRow("read-only folder") << u"ro/x.ona"_qs << u"書き込む権限がありません"_qs;
}

// A save that cannot start names the folder and the reason instead of "ファイルオープン失敗".
void TestSaveTargets::openFailureSaysWhy()
{
    QFETCH(QString, name);
    QFETCH(QString, says);
    if (::geteuid() == 0 && name.startsWith(u"ro/"_qs))
        QSKIP("root writes into a read-only folder");
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"ro"_qs));
    QFile::setPermissions(dir.filePath(u"ro"_qs), QFile::ReadOwner | QFile::ExeOwner);
    const QString message = AddressBook().storeFile(dir.filePath(name));
    QFile::setPermissions(dir.filePath(u"ro"_qs), QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner);
    QVERIFY2(message.contains(says), qPrintable(message));
    QVERIFY2(message.contains(QDir::toNativeSeparators(QFileInfo(dir.filePath(name)).absolutePath())),
             qPrintable(message));
}

QTEST_MAIN(TestSaveTargets)
#include "tst_savetargets.moc"
