#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "base/ArchiveWriter.h"
#include "model/CLabelSheetTemplate.h"
#include "model/CORINOTEDoc.h"
#include "model/DocumentFile.h"
#include "model/SettingsProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>

namespace {

const QString kBatch = QStringLiteral(ORINOTE_BATCH);

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList recordValues(const QString& entry, const QString& name)
{
    QStringList v(CAddressData::TextColumnCount);
    v[CAddressData::EntryNumber] = entry;
    v[CAddressData::Name] = name;
    v[CAddressData::PostalCode] = QStringLiteral("530-0001");
    v[CAddressData::Address1] = QStringLiteral("大阪府大阪市北区梅田1-1");
    return v;
}

// The address book given with --addressbook: reserved records in groups 0 and 5, one
// record that is not reserved, a reserved sender (senders are never printed as records).
AddressBook inputBook()
{
    AddressBook book;
    CAddressData& a = book.group(0);
    a.appendRecord(recordValues(QStringLiteral("A-1"), QStringLiteral("青木　一郎")));
    a.appendRecord(recordValues(QStringLiteral("A-2"), QStringLiteral("安藤　二郎")));
    a.appendRecord(recordValues(QStringLiteral("A-3"), QStringLiteral("石井　三郎")));
    a.setFlag(0, 1);
    a.setFlag(2, 1);
    a.appendHistory(QStringLiteral("A-1"), QStringLiteral("年賀状"), QStringLiteral("2024/01/01"),
                    QStringLiteral("済"));
    CAddressData& ha = book.group(5);
    ha.appendRecord(recordValues(QStringLiteral("HA-1"), QStringLiteral("林　花子")));
    ha.setFlag(0, 1);
    CAddressData& sender = book.group(AddressBook::SenderGroup);
    sender.appendRecord(recordValues(QStringLiteral("SENDER-1"), QStringLiteral("差出　人")));
    sender.setFlag(0, 1);
    return book;
}

// The template given with --template: a postcard with two sheets and one region.
CLabelSheetTemplate inputTemplate()
{
    CLabelSheetTemplate t;
    t.reset();
    t.paperRect = Rect{0, 0, 1000, -1480};
    t.printRuledLines = 1;
    Sheet top;
    top.rect = Rect{0, 0, 1000, -740};
    top.backColor = 0x00CCEE;
    Sheet bottom;
    bottom.rect = Rect{0, -740, 1000, -1480};
    t.sheets.append(top);
    t.sheets.append(bottom);
    TextRect r;
    r.rect = Rect{100, -100, 900, -250};
    r.attribute = QStringLiteral("氏名(R)");
    r.font = FontRecord::make(QStringLiteral("ＭＳ 明朝"), -150, 0);
    r.textColor = 0x3366FF;
    r.borderColor = 0;
    t.regions.append(r);
    Keisenn k;
    k.start = Point{0, -740};
    k.end = Point{1000, -740};
    k.width = 2;
    k.color = 0x0000FF;
    t.keisenns.append(k);
    return t;
}

struct Result
{
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
};

class Workspace
{
public:
    Workspace()
    {
        QDir root(mDir.path());
        root.mkpath(QStringLiteral("data"));
        root.mkpath(QStringLiteral("runtime"));
        root.mkpath(QStringLiteral("out"));
    }

    QString path(const QString& name) const { return mDir.filePath(name); }
    QString out(const QString& name) const { return mDir.filePath(QStringLiteral("out/") + name); }

    // Writes the three input files: a document with its own template and address book,
    // the template and the address book above.
    void writeInputs()
    {
        SettingsProfile profile(path(QStringLiteral("maker.ini")));
        CORINOTEDoc doc(&profile);
        doc.dataFolder = path(QStringLiteral("data"));
        doc.newDocument();
        doc.scalars().templateName = QStringLiteral("文書の用紙");
        doc.labelTemplate().paperPicture = QStringLiteral("/home/user/台紙.png");
        CAddressData& own = doc.addressBook().group(2);
        own.appendRecord(recordValues(QStringLiteral("U-1"), QStringLiteral("上田　文書")));
        own.setFlag(0, 1);
        TextRect r;
        r.rect = Rect{200, -200, 800, -400};
        r.text = QStringLiteral("文書の文字");
        doc.textRects().append(r);
        QCOMPARE(DocumentFile::save(doc, path(QStringLiteral("in.ond"))), QString());

        QSaveFile file(path(QStringLiteral("label.ont")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        ArchiveWriter writer(&file);
        inputTemplate().write(writer);
        QVERIFY(writer.finish());
        QVERIFY(file.commit());

        QCOMPARE(inputBook().storeFile(path(QStringLiteral("book.ona"))), QString());
    }

    Result run(const QStringList& arguments) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("runtime")));
        process.setProcessEnvironment(env);
        process.start(kBatch, arguments);
        Result r;
        if (!process.waitForFinished(20000)) {
            process.kill();
            process.waitForFinished();
            r.crashed = true;
            return r;
        }
        r.crashed = process.exitStatus() != QProcess::NormalExit;
        r.exitCode = process.exitCode();
        r.out = process.readAllStandardOutput();
        r.err = process.readAllStandardError();
        return r;
    }

    // The options every run gets: a profile of its own and a data folder.
    QStringList common() const
    {
        return {QStringLiteral("--profile"), path(QStringLiteral("batch.ini")),
                QStringLiteral("--data-folder"), path(QStringLiteral("data"))};
    }

private:
    QTemporaryDir mDir;
};

// One option with its value, in the order the row lists the option names.
QStringList arguments(const Workspace& ws, const QStringList& order)
{
    const QMap<QString, QString> values{
        {QStringLiteral("document"), ws.path(QStringLiteral("in.ond"))},
        {QStringLiteral("template"), ws.path(QStringLiteral("label.ont"))},
        {QStringLiteral("addressbook"), ws.path(QStringLiteral("book.ona"))},
        {QStringLiteral("save"), ws.out(QStringLiteral("saved.ond"))},
        {QStringLiteral("save-template"), ws.out(QStringLiteral("saved.ont"))},
        {QStringLiteral("save-addressbook"), ws.out(QStringLiteral("saved.ona"))},
        {QStringLiteral("json"), ws.out(QStringLiteral("saved.json"))},
        {QStringLiteral("profile"), ws.path(QStringLiteral("batch.ini"))},
        {QStringLiteral("data-folder"), ws.path(QStringLiteral("data"))},
    };
    QStringList args;
    for (const QString& name : order)
        args << QStringLiteral("--") + name << values.value(name);
    return args;
}

const QStringList kOutputs{QStringLiteral("saved.ond"), QStringLiteral("saved.ont"),
                           QStringLiteral("saved.ona"), QStringLiteral("saved.json")};

QStringList entryNumbers(const QJsonArray& records)
{
    QStringList entries;
    for (const QJsonValue& v : records)
        entries.append(v.toObject().value(QStringLiteral("登録番号")).toString());
    return entries;
}

bool isIntegral(const QJsonValue& v, qint64 expected)
{
    return v.isDouble() && v.toDouble() == double(expected);
}

bool isRect(const QJsonValue& v, const Rect& r)
{
    const QJsonArray a = v.toArray();
    return v.isArray() && a.size() == 4 && isIntegral(a[0], r.left) && isIntegral(a[1], r.top) &&
           isIntegral(a[2], r.right) && isIntegral(a[3], r.bottom);
}

QByteArray describe(const Result& r)
{
    return "exit " + QByteArray::number(r.exitCode) + (r.crashed ? " (crashed)" : "") +
           ", stderr: " + r.err;
}

} // namespace

class TestBatch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void optionOrderDoesNotMatter_data();
    void optionOrderDoesNotMatter();
    void jsonDump();
    void recordListFollowsAddressBook_data();
    void recordListFollowsAddressBook();
    void failures_data();
    void failures();

private:
    std::unique_ptr<Workspace> mWs;
    QMap<QString, QByteArray> mCanonical; // outputs of the run in the documented order
};

void TestBatch::initTestCase()
{
    QVERIFY2(QFileInfo(kBatch).isExecutable(), qPrintable(kBatch));
    mWs = std::make_unique<Workspace>();
    mWs->writeInputs();
    if (QTest::currentTestFailed())
        return;

    const QStringList order{QStringLiteral("profile"),          QStringLiteral("data-folder"),
                            QStringLiteral("document"),         QStringLiteral("template"),
                            QStringLiteral("addressbook"),      QStringLiteral("save"),
                            QStringLiteral("save-template"),    QStringLiteral("save-addressbook"),
                            QStringLiteral("json")};
    const Result r = mWs->run(arguments(*mWs, order));
    QVERIFY2(r.exitCode == 0 && !r.crashed, describe(r));
    for (const QString& name : kOutputs) {
        mCanonical[name] = readFile(mWs->out(name));
        QVERIFY2(!mCanonical[name].isEmpty(), qPrintable(name));
    }

    // The inputs took effect as document, then template, then address book: the saved
    // template and address book are the given files byte for byte, and the saved
    // document carries both.
    QCOMPARE(mCanonical[QStringLiteral("saved.ont")], readFile(mWs->path(QStringLiteral("label.ont"))));
    QCOMPARE(mCanonical[QStringLiteral("saved.ona")], readFile(mWs->path(QStringLiteral("book.ona"))));
    SettingsProfile profile(mWs->path(QStringLiteral("check.ini")));
    CORINOTEDoc doc(&profile);
    QCOMPARE(DocumentFile::open(doc, mWs->out(QStringLiteral("saved.ond"))), QString());
    QCOMPARE(doc.scalars().templateName, QStringLiteral("label"));
    QVERIFY(doc.labelTemplate() == inputTemplate());
    QVERIFY(doc.addressBook() == inputBook());
    // The pages were rebuilt from the reservation: three reserved records on pages of two
    // sheets make two pages, the first sheet's design on every sheet.
    QCOMPARE(doc.sheets().size(), 4);
    QCOMPARE(doc.textRects().size(), 4);
    QCOMPARE(doc.sheets().backColor(0), 0x00CCEE);
}

void TestBatch::optionOrderDoesNotMatter_data()
{
    QTest::addColumn<QString>("order");

    QTest::newRow("outputs first, inputs reversed")
        << "json save-addressbook save-template save addressbook template document "
           "data-folder profile";
    QTest::newRow("address book before document")
        << "addressbook document save template save-addressbook json save-template "
           "profile data-folder";
    QTest::newRow("template first, settings in between")
        << "template profile save-template addressbook data-folder save document "
           "save-addressbook json";
}

void TestBatch::optionOrderDoesNotMatter()
{
    QFETCH(QString, order);

    for (const QString& name : kOutputs)
        QFile::remove(mWs->out(name));
    const Result r = mWs->run(arguments(*mWs, order.split(QLatin1Char(' '))));
    QVERIFY2(r.exitCode == 0 && !r.crashed, describe(r));
    for (const QString& name : kOutputs)
        QVERIFY2(readFile(mWs->out(name)) == mCanonical[name], qPrintable(name));
}

void TestBatch::jsonDump()
{
    Result r = mWs->run(mWs->common() +
                        QStringList{QStringLiteral("--document"), mWs->path(QStringLiteral("in.ond")),
                                    QStringLiteral("--template"), mWs->path(QStringLiteral("label.ont")),
                                    QStringLiteral("--json"), QStringLiteral("-")});
    QVERIFY2(r.exitCode == 0 && !r.crashed, describe(r));
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(r.out, &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QVERIFY(json.isObject());
    // Colours are written as plain integers, not as floating point or hex text.
    QVERIFY(r.out.contains("\"backColor\": 16777215"));
    QVERIFY(r.out.contains("\"textColor\": 3368703"));
    const QJsonObject o = json.object();

    QCOMPARE(o.value(QStringLiteral("templateName")).toString(), QStringLiteral("label"));

    const QJsonObject t = o.value(QStringLiteral("template")).toObject();
    QVERIFY(isRect(t.value(QStringLiteral("paperRect")), Rect{0, 0, 1000, -1480}));
    QCOMPARE(t.value(QStringLiteral("sheets")).toArray().size(), 2);
    QCOMPARE(t.value(QStringLiteral("textRects")).toArray().size(), 1);

    const QJsonArray sheets = o.value(QStringLiteral("sheets")).toArray();
    QCOMPARE(sheets.size(), 2);
    QVERIFY(isRect(sheets[0].toObject().value(QStringLiteral("rect")), Rect{0, 0, 1000, -740}));
    QVERIFY(isIntegral(sheets[0].toObject().value(QStringLiteral("backColor")), 0x00CCEE));
    QVERIFY(isIntegral(sheets[1].toObject().value(QStringLiteral("backColor")), 0xFFFFFF));

    const QJsonArray regions = o.value(QStringLiteral("textRects")).toArray();
    QCOMPARE(regions.size(), 2);
    const QJsonObject first = regions[0].toObject();
    QVERIFY(isRect(first.value(QStringLiteral("rect")), Rect{100, -100, 900, -250}));
    QVERIFY(isIntegral(first.value(QStringLiteral("textColor")), 0x3366FF));
    QVERIFY(isIntegral(first.value(QStringLiteral("backColor")), 0xFFFFFF));
    QCOMPARE(first.value(QStringLiteral("attribute")).toString(), QStringLiteral("氏名(R)"));
    QVERIFY(isIntegral(regions[1].toObject().value(QStringLiteral("sheetNo")), 2));

    const QJsonArray lines = o.value(QStringLiteral("keisenns")).toArray();
    QCOMPARE(lines.size(), 1);
    const QJsonArray start = lines[0].toObject().value(QStringLiteral("start")).toArray();
    QCOMPARE(start.size(), 2);
    QVERIFY(isIntegral(start[1], -740));
    QVERIFY(isIntegral(lines[0].toObject().value(QStringLiteral("color")), 0x0000FF));

    const QJsonArray groups = o.value(QStringLiteral("groups")).toArray();
    QCOMPARE(groups.size(), 20);
    for (int g = 0; g < groups.size(); ++g)
        QVERIFY2(groups[g].isArray(), qPrintable(QString::number(g)));
    QCOMPARE(entryNumbers(groups[2].toArray()), QStringList{QStringLiteral("U-1")});

    QVERIFY(o.value(QStringLiteral("recordList")).isArray());
}

void TestBatch::recordListFollowsAddressBook_data()
{
    QTest::addColumn<QString>("inputs");

    QTest::newRow("new document") << "addressbook";
    QTest::newRow("document") << "document addressbook";
    QTest::newRow("document and template") << "document template addressbook";
    QTest::newRow("template, options reversed") << "addressbook template";
}

// The record list holds the reserved records of groups 0–18 of the address book that
// was loaded, in group order; not the senders, not the records of the document's own
// address book that the file replaced.
void TestBatch::recordListFollowsAddressBook()
{
    QFETCH(QString, inputs);

    QStringList order = inputs.split(QLatin1Char(' '));
    QStringList args = mWs->common() + arguments(*mWs, order);
    args << QStringLiteral("--json") << QStringLiteral("-");
    const Result r = mWs->run(args);
    QVERIFY2(r.exitCode == 0 && !r.crashed, describe(r));
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();

    const QJsonArray groups = o.value(QStringLiteral("groups")).toArray();
    QCOMPARE(entryNumbers(groups[0].toArray()),
             (QStringList{QStringLiteral("A-1"), QStringLiteral("A-2"), QStringLiteral("A-3")}));
    QCOMPARE(groups[2].toArray().size(), 0);

    const QJsonArray records = o.value(QStringLiteral("recordList")).toArray();
    QCOMPARE(entryNumbers(records), (QStringList{QStringLiteral("A-1"), QStringLiteral("A-3"),
                                                 QStringLiteral("HA-1")}));
    QCOMPARE(records[0].toObject().value(QStringLiteral("氏名")).toString(),
             QStringLiteral("青木　一郎"));
}

void TestBatch::failures_data()
{
    QTest::addColumn<QStringList>("extra"); // options added to the full set of outputs
    QTest::addColumn<QString>("mentioned"); // what the message must name

    const QString missing = QStringLiteral("/nonexistent-folder/missing");
    QTest::newRow("missing document")
        << QStringList{QStringLiteral("--document"), missing + QStringLiteral(".ond")}
        << missing + QStringLiteral(".ond");
    QTest::newRow("missing template")
        << QStringList{QStringLiteral("--template"), missing + QStringLiteral(".ont")}
        << missing + QStringLiteral(".ont");
    QTest::newRow("missing address book")
        << QStringList{QStringLiteral("--addressbook"), missing + QStringLiteral(".ona")}
        << missing + QStringLiteral(".ona");
    QTest::newRow("good document, missing address book")
        << QStringList{QStringLiteral("--document"), QStringLiteral("@in.ond"),
                       QStringLiteral("--addressbook"), missing + QStringLiteral(".ona")}
        << missing + QStringLiteral(".ona");
    QTest::newRow("damaged document")
        << QStringList{QStringLiteral("--document"), QStringLiteral("@cut.ond")}
        << QStringLiteral("cut.ond");
    // A FIFO given for an input is refused at once; reading it would wait for a writer.
    for (const char* option : {"document", "template", "addressbook", "rules", "profile"}) {
        QTest::newRow(qPrintable(QStringLiteral("FIFO as --%1").arg(QLatin1String(option))))
            << QStringList{QStringLiteral("--") + QLatin1String(option), QStringLiteral("@fifo")}
            << QStringLiteral("fifo");
    }
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--frobnicate")}
                                    << QStringLiteral("frobnicate");
    QTest::newRow("stray argument") << QStringList{QStringLiteral("stray.ond")}
                                    << QStringLiteral("stray.ond");
    QTest::newRow("option without its value") << QStringList{QStringLiteral("--document")}
                                              << QStringLiteral("document");
}

// A run that fails says why on standard error, exits non-zero and writes no output at
// all, not even the JSON on standard output.
void TestBatch::failures()
{
    QFETCH(QStringList, extra);
    QFETCH(QString, mentioned);

    // "@name" stands for a file of the workspace.
    for (QString& arg : extra) {
        if (arg.startsWith(QLatin1Char('@')))
            arg = mWs->path(arg.mid(1));
    }
    const QString fifo = mWs->path(QStringLiteral("fifo"));
    if (!QFileInfo::exists(fifo))
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray whole = readFile(mWs->path(QStringLiteral("in.ond")));
    QFile cut(mWs->path(QStringLiteral("cut.ond")));
    QVERIFY(cut.open(QIODevice::WriteOnly | QIODevice::Truncate));
    cut.write(whole.left(whole.size() / 2));
    cut.close();

    for (const QString& name : kOutputs)
        QFile::remove(mWs->out(name));
    // Once with every output to files, once with the JSON to standard output.
    for (bool toStdout : {false, true}) {
        QStringList args = mWs->common();
        args << QStringLiteral("--save") << mWs->out(QStringLiteral("saved.ond"))
             << QStringLiteral("--save-template") << mWs->out(QStringLiteral("saved.ont"))
             << QStringLiteral("--save-addressbook") << mWs->out(QStringLiteral("saved.ona"))
             << QStringLiteral("--json")
             << (toStdout ? QStringLiteral("-") : mWs->out(QStringLiteral("saved.json")));
        args += extra; // last, so that an option missing its value stays last
        const Result r = mWs->run(args);
        QVERIFY2(!r.crashed, describe(r));
        QVERIFY2(r.exitCode != 0, describe(r));
        QVERIFY2(QString::fromLocal8Bit(r.err).contains(mentioned), describe(r));
        QVERIFY2(r.out.isEmpty(), r.out.left(200));
        QCOMPARE(QDir(mWs->out(QString())).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
}

QTEST_GUILESS_MAIN(TestBatch)
#include "tst_batch.moc"
