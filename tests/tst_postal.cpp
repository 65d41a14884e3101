// Postal codes: the stored form, the converted table (from a small fixture in the
// package's JSON layout) and its lookups both ways, a damaged table, the check before
// printing, the CSV import and the list mark, the record editor's offers, and
// orinote-batch --postal-code, with the table and without it. A few checks on the real
// national table when the build made it.

#include "address/AddressBook.h"
#include "address/AddressCsvImport.h"
#include "address/CAddressData.h"
#include "addressbook/AddressListRows.h"
#include "addressbook/ui/CAddressDataEditDialog.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "pages/PostalPrintCheck.h"
#include "postal/PostalCode.h"
#include "postal/PostalData.h"
#include "postal/PostalTable.h"
#include "postal/PostalTableWriter.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using C = CAddressData;

namespace {

const QByteArray kPref = R"({"pref":{
"01":["北海道","ﾎｯｶｲﾄﾞｳ"],"13":["東京都","ﾄｳｷｮｳﾄ"],"23":["愛知県","ｱｲﾁｹﾝ"],"34":["広島県","ﾋﾛｼﾏｹﾝ"]}})";
const QByteArray kCity = R"({"city":{
"01101":["札幌市中央区",""],"13101":["千代田区",""],"13114":["中野区",""],"13206":["府中市",""],
"23233":["清須市",""],"34208":["府中市",""]}})";
// 100-60xx: a building whose floors have codes of their own, known by the prefix only.
const QByteArray kZip5 = R"({"zip5":{
"06000":1101,"10000":13101,"10060":[13101,"霞が関霞が関ビル"],"16400":13114,"18300":13206,
"45209":23233,"72600":34208}})";
const QByteArray kZip7 = R"({"zip7":{
"0600000":"","0600042":"大通西","1000000":"","1000004":"大手町","1000005":"丸の内",
"1000006":[13101,"有楽町"],"1640001":"中野","1640013":"弥生町","1830055":"府中町",
"4520961":["春日明河原","春日一番割","春日稲荷"],"7260005":"府中町"}})";

QByteArray fixtureTable()
{
    PostalTableWriter writer;
    const QString error = writer.convert(kPref, kCity, kZip5, kZip7);
    if (!error.isEmpty())
        qFatal("fixture: %s", qPrintable(error));
    return writer.table();
}

QStringList texts(const QList<PostalAddress>& addresses)
{
    QStringList result;
    for (const PostalAddress& a : addresses)
        result.append(a.code + u' ' + a.text());
    return result;
}

QStringList record(std::initializer_list<std::pair<int, QString>> fields)
{
    QStringList values(C::TextColumnCount);
    for (const auto& [column, value] : fields)
        values[column] = value;
    return values;
}

// Types the text key by key, as the user would (keyClicks takes only ASCII), then lets
// queued work run.
void type(QLineEdit* line, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(line, &press);
    }
    QCoreApplication::processEvents();
}

// The editor with its questions answered by the test.
class ScriptedEditor : public CAddressDataEditDialog
{
public:
    using CAddressDataEditDialog::CAddressDataEditDialog;
    int pick = 0;
    bool answer = true;
    QList<PostalAddress> offered;
    QStringList asked, told;

protected:
    int chooseAddress(const QString&, const QList<PostalAddress>& addresses) override
    {
        offered = addresses;
        return pick;
    }
    bool confirm(const QString& question) override
    {
        asked.append(question);
        return answer;
    }
    void tell(const QString& message) override { told.append(message); }
};

} // namespace

class TestPostal : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void buildTableOnlyFromTheBuildTree_data();
    void buildTableOnlyFromTheBuildTree();

    void normalise_data();
    void normalise();
    void lookup_data();
    void lookup();
    void reverseLookup_data();
    void reverseLookup();
    void converterRefusesBadPackages_data();
    void converterRefusesBadPackages();
    void damagedTableNeverReadsOutside();
    void missingTable();

    void printCheckNamesTheRecords();
    void printCheckFollowsTheTemplate();
    void csvImportStoresCodesInTheirForm();
    void listMarksMalformedCodes();

    void editorFillsTheAddressFromTheCode();
    void editorOffersTheTownsOfACode();
    void editorAsksBeforeReplacing();
    void editorSaysWhyNothingIsFilled();
    void editorFillsTheCodeFromTheAddress();
    void editorStoresTheNormalisedForm();

    void batchLookup_data();
    void batchLookup();
    void realTable();

private:
    PostalTable mTable;
    QTemporaryDir mDir;
    QString mTablePath;
};

void TestPostal::initTestCase()
{
    const QByteArray bytes = fixtureTable();
    QCOMPARE(mTable.loadBytes(bytes), QString());
    QVERIFY(mDir.isValid());
    mTablePath = mDir.filePath(QStringLiteral("postalcodes.dat"));
    PostalTableWriter writer;
    QCOMPARE(writer.convert(kPref, kCity, kZip5, kZip7), QString());
    QCOMPARE(writer.save(mTablePath), QString());
}

void TestPostal::normalise_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("fills");

    QTest::newRow("hyphenated") << u"164-0013"_qs << u"164-0013"_qs << true;
    QTest::newRow("without hyphen") << u"1640013"_qs << u"164-0013"_qs << true;
    QTest::newRow("full-width") << u"１６４－００１３"_qs << u"164-0013"_qs << true;
    QTest::newRow("full-width long mark") << u"１６４ー００１３"_qs << u"164-0013"_qs << true;
    QTest::newRow("full-width no hyphen") << u"１６４００１３"_qs << u"164-0013"_qs << true;
    QTest::newRow("space") << u"164 0013"_qs << u"164-0013"_qs << true;
    QTest::newRow("ideographic space") << u"164　0013"_qs << u"164-0013"_qs << true;
    QTest::newRow("postal mark and spaces") << u" 〒164-0013 "_qs << u"164-0013"_qs << true;
    QTest::newRow("six digits") << u"164-001"_qs << u"164-001"_qs << false;
    QTest::newRow("eight digits") << u"16400130"_qs << u"16400130"_qs << false;
    QTest::newRow("hyphen misplaced") << u"16-40013"_qs << u"16-40013"_qs << false;
    QTest::newRow("two hyphens") << u"164--0013"_qs << u"164--0013"_qs << false;
    QTest::newRow("letter") << u"1640013x"_qs << u"1640013x"_qs << false;
    QTest::newRow("eight bytes, no digits") << u"abc-defg"_qs << u"abc-defg"_qs << false;
    QTest::newRow("five-digit code") << u"164-00"_qs << u"164-00"_qs << false;
    QTest::newRow("empty") << QString() << QString() << false;
}

void TestPostal::normalise()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, fills);
    QCOMPARE(PostalCode::storedForm(typed), stored);
    QCOMPARE(PostalCode::fillsBoxes(stored), fills);
    QCOMPARE(PostalCode::normalised(typed).isEmpty(), !fills);
    // Only a code that was typed and cannot be read is marked; an empty one is not.
    QCOMPARE(PostalCode::isMalformed(stored), !fills && !typed.isEmpty());
}

void TestPostal::lookup_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("found");

    const QStringList yayoi{u"164-0013 東京都中野区弥生町"_qs};
    QTest::newRow("one town") << u"164-0013"_qs << yayoi;
    QTest::newRow("without hyphen") << u"1640013"_qs << yayoi;
    QTest::newRow("full-width") << u"１６４－００１３"_qs << yayoi;
    QTest::newRow("many towns") << u"452-0961"_qs
                                << QStringList{u"452-0961 愛知県清須市春日明河原"_qs,
                                               u"452-0961 愛知県清須市春日一番割"_qs,
                                               u"452-0961 愛知県清須市春日稲荷"_qs};
    QTest::newRow("prefix only") << u"100-6090"_qs
                                 << QStringList{u"100-6090 東京都千代田区霞が関霞が関ビル"_qs};
    QTest::newRow("rest of the city")
        << u"060-0000"_qs << QStringList{u"060-0000 北海道札幌市中央区"_qs};
    QTest::newRow("city set in the list")
        << u"1000006"_qs << QStringList{u"100-0006 東京都千代田区有楽町"_qs};
    QTest::newRow("unknown") << u"999-9999"_qs << QStringList();
    QTest::newRow("unknown in a known prefix") << u"164-0099"_qs << QStringList();
    QTest::newRow("malformed") << u"164-001"_qs << QStringList();
    QTest::newRow("empty") << QString() << QStringList();
}

void TestPostal::lookup()
{
    QFETCH(QString, code);
    QFETCH(QStringList, found);
    QCOMPARE(texts(mTable.addresses(code)), found);
}

void TestPostal::reverseLookup_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("codes");

    QTest::newRow("prefecture, city, town, number")
        << u"東京都中野区弥生町1-2-3"_qs << QStringList{u"164-0013 東京都中野区弥生町"_qs};
    QTest::newRow("without the prefecture")
        << u"中野区弥生町"_qs << QStringList{u"164-0013 東京都中野区弥生町"_qs};
    QTest::newRow("spaces and full-width")
        << u"東京都 中野区　弥生町１－２"_qs << QStringList{u"164-0013 東京都中野区弥生町"_qs};
    QTest::newRow("longest town") << u"北海道札幌市中央区大通西5丁目"_qs
                                  << QStringList{u"060-0042 北海道札幌市中央区大通西"_qs};
    QTest::newRow("one code of many towns")
        << u"愛知県清須市春日稲荷10"_qs << QStringList{u"452-0961 愛知県清須市春日稲荷"_qs};
    QTest::newRow("unknown town: rest of the city")
        << u"東京都千代田区永田町1"_qs << QStringList{u"100-0000 東京都千代田区"_qs};
    QTest::newRow("city of two prefectures")
        << u"府中市府中町"_qs
        << QStringList{u"183-0055 東京都府中市府中町"_qs, u"726-0005 広島県府中市府中町"_qs};
    QTest::newRow("prefecture decides")
        << u"広島県府中市府中町"_qs << QStringList{u"726-0005 広島県府中市府中町"_qs};
    QTest::newRow("no town and no rest") << u"東京都府中市"_qs << QStringList();
    QTest::newRow("unknown city") << u"大阪府大阪市北区"_qs << QStringList();
    QTest::newRow("empty") << QString() << QStringList();
}

void TestPostal::reverseLookup()
{
    QFETCH(QString, address);
    QFETCH(QStringList, codes);
    QCOMPARE(texts(mTable.codesForAddress(address)), codes);
}

void TestPostal::converterRefusesBadPackages_data()
{
    QTest::addColumn<QByteArray>("city");
    QTest::addColumn<QByteArray>("zip7");

    QTest::newRow("not JSON") << kCity << QByteArray("{\"zip7\":");
    QTest::newRow("wrong object") << kCity << QByteArray(R"({"zip":{}})");
    QTest::newRow("short code") << kCity << QByteArray(R"({"zip7":{"164001":"x"}})");
    QTest::newRow("unknown city") << kCity << QByteArray(R"({"zip7":{"1640013":[99999,"x"]}})");
    QTest::newRow("town without city") << kCity << QByteArray(R"({"zip7":{"9990013":"x"}})");
    QTest::newRow("city without prefecture")
        << QByteArray(R"({"city":{"99101":["x",""]}})") << kZip7;
    QTest::newRow("object as town") << kCity << QByteArray(R"({"zip7":{"1640013":{}}})");
}

void TestPostal::converterRefusesBadPackages()
{
    QFETCH(QByteArray, city);
    QFETCH(QByteArray, zip7);
    PostalTableWriter writer;
    const QByteArray zip5 = city == kCity ? kZip5 : QByteArray(R"({"zip5":{}})");
    QVERIFY(!writer.convert(kPref, city, zip5, zip7).isEmpty());
    QVERIFY(writer.table().isEmpty());
}

void TestPostal::damagedTableNeverReadsOutside()
{
    const QByteArray good = fixtureTable();
    const QStringList codes{u"0600000"_qs, u"1640013"_qs, u"4520961"_qs, u"1006090"_qs,
                            u"1000006"_qs};
    // Every shorter file is refused.
    for (qsizetype n = 0; n < good.size(); ++n) {
        PostalTable table;
        QVERIFY2(!table.loadBytes(good.left(n)).isEmpty(), qPrintable(QString::number(n)));
        QVERIFY(table.addresses(u"1640013"_qs).isEmpty());
    }
    // Any byte changed: refused, or read within bounds (the sanitizer build watches).
    for (qsizetype i = 0; i < good.size(); ++i) {
        for (char value : {char(0xFF), char(0x7F), char(0)}) {
            QByteArray bad = good;
            bad[i] = value;
            PostalTable table;
            if (!table.loadBytes(bad).isEmpty())
                continue;
            for (const QString& code : codes)
                table.addresses(code);
            table.codesForAddress(u"東京都中野区弥生町"_qs);
        }
    }
}

void TestPostal::missingTable()
{
    PostalTable table;
    QCOMPARE(table.load(mDir.filePath(u"none.dat"_qs)),
             u"郵便番号データがないため、住所の検索は使えません。"_qs);
    QVERIFY(!table.isLoaded());
    QVERIFY(table.addresses(u"164-0013"_qs).isEmpty());
    QVERIFY(table.codesForAddress(u"東京都中野区弥生町"_qs).isEmpty());
    // The folder is no table either.
    QVERIFY(!table.load(mDir.path()).isEmpty());
}

namespace {

// A document whose template prints the given attributes, with the records in its record
// list after one blank record (print start position 2).
std::unique_ptr<CORINOTEDoc> documentWith(MemoryProfile& profile, const QStringList& attributes,
                                          const QList<QStringList>& records)
{
    auto doc = std::make_unique<CORINOTEDoc>(&profile);
    for (const QString& attribute : attributes) {
        TextRect r;
        r.attribute = attribute;
        doc->labelTemplate().regions.append(r);
    }
    doc->recordList().appendBlankRecord();
    for (const QStringList& r : records)
        doc->recordList().appendRecord(r);
    return doc;
}

} // namespace

void TestPostal::printCheckNamesTheRecords()
{
    MemoryProfile profile;
    const auto doc = documentWith(profile, {u"氏名(R)"_qs, u"郵1(R)"_qs, u"会社郵便番号(R)"_qs},
                                  {record({{C::EntryNumber, u"A-1"_qs},
                                           {C::Name, u"山田太郎"_qs},
                                           {C::PostalCode, u"164-0013"_qs},
                                           {C::CompanyPostalCode, u"100-0004"_qs}}),
                                   record({{C::EntryNumber, u"A-2"_qs},
                                           {C::Name, u"鈴木花子"_qs},
                                           {C::PostalCode, u"164-001"_qs},
                                           {C::CompanyPostalCode, u"100-0004"_qs}}),
                                   record({{C::EntryNumber, u"A-3"_qs},
                                           {C::Name, u"佐藤一郎"_qs},
                                           {C::CompanyPostalCode, u"１００－０００４"_qs}}),
                                   record({{C::EntryNumber, u"KA-4"_qs},
                                           {C::PostalCode, u"1640013"_qs},
                                           {C::CompanyPostalCode, u"100-0004"_qs}})});
    const QList<PostalPrintCheck::Problem> problems = PostalPrintCheck::problems(*doc);
    QStringList named;
    for (const auto& p : problems)
        named.append(PostalPrintCheck::describe(p));
    // The blank record before the print start position is no recipient.
    QCOMPARE(named,
             (QStringList{u"鈴木花子（164-001）"_qs, u"佐藤一郎（郵便番号なし）"_qs,
                          u"佐藤一郎（会社郵便番号 １００－０００４）"_qs, u"KA-4（1640013）"_qs}));
    QCOMPARE(PostalPrintCheck::recordCount(problems), 3);
    QCOMPARE(PostalPrintCheck::question(problems),
             u"郵便番号が正しくない宛先が3件あります。このまま印刷しますか？\n\n"
             "鈴木花子（164-001）\n佐藤一郎（郵便番号なし）\n"
             "佐藤一郎（会社郵便番号 １００－０００４）\nKA-4（1640013）"_qs);
    QVERIFY(PostalPrintCheck::question(problems, 2).endsWith(u"\nほか2件"_qs));
    const QString warning = PostalPrintCheck::warning(problems);
    QVERIFY(warning.startsWith(u"郵便番号が正しくない宛先が3件あります"_qs));
    QCOMPARE(warning.count(u'\n'), 4);
    QVERIFY(PostalPrintCheck::question({}).isEmpty());
    QVERIFY(PostalPrintCheck::warning({}).isEmpty());
}

void TestPostal::printCheckFollowsTheTemplate()
{
    MemoryProfile profile;
    const QList<QStringList> records{record(
        {{C::EntryNumber, u"A-1"_qs}, {C::Name, u"山田"_qs}, {C::PostalCode, u"164-001"_qs}})};
    // No recipient postal code printed: nothing to warn about, whatever the codes.
    for (const QStringList& attributes :
         {QStringList{u"氏名(R)"_qs}, QStringList{u"郵1(S)"_qs}, QStringList{u"郵1(R) "_qs}}) {
        const auto doc = documentWith(profile, attributes, records);
        QVERIFY(PostalPrintCheck::problems(*doc).isEmpty());
    }
    const auto whole = documentWith(profile, {u"郵便番号(R)"_qs}, records);
    QCOMPARE(PostalPrintCheck::problems(*whole).size(), 1);
    QCOMPARE(PostalPrintCheck::printedColumns(*whole), QList<int>{C::PostalCode});
}

void TestPostal::csvImportStoresCodesInTheirForm()
{
    AddressBook book;
    const QList<QStringList> rows{{u"山田"_qs, u"1640013"_qs},
                                  {u"鈴木"_qs, u"１６４－００１３"_qs},
                                  {u"佐藤"_qs, u"164-001"_qs},
                                  {u"田中"_qs, QString()}};
    QCOMPARE(AddressCsvImport::importRows(book, 0, rows, u"1=N,2=P"_qs, false), 4);
    const CAddressData& g = book.group(0);
    QCOMPARE(g.field(0, C::PostalCode), u"164-0013"_qs);
    QCOMPARE(g.field(1, C::PostalCode), u"164-0013"_qs);
    QCOMPARE(g.field(2, C::PostalCode), u"164-001"_qs);
    QCOMPARE(g.field(3, C::PostalCode), QString());
}

void TestPostal::listMarksMalformedCodes()
{
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    CAddressData& g = doc.addressBook().group(0);
    g.appendRecord(record({{C::EntryNumber, u"A-1"_qs},
                           {C::PostalCode, u"164-0013"_qs},
                           {C::CompanyPostalCode, u"1640013"_qs}}));
    g.appendRecord(record({{C::EntryNumber, u"A-2"_qs}, {C::PostalCode, u"164-001"_qs}}));
    AddressListRows rows;
    rows.fill(doc, 0, QDate(2024, 1, 1));
    int postal = -1, company = -1;
    for (int c = 0; c < AddressListRows::ColumnCount; ++c) {
        if (AddressListRows::recordColumn(c) == C::PostalCode)
            postal = c;
        if (AddressListRows::recordColumn(c) == C::CompanyPostalCode)
            company = c;
    }
    QVERIFY(!rows.isMalformedPostalCode(doc.addressBook(), 0, postal));
    QVERIFY(rows.isMalformedPostalCode(doc.addressBook(), 0, company));
    QVERIFY(rows.isMalformedPostalCode(doc.addressBook(), 1, postal));
    QVERIFY(!rows.isMalformedPostalCode(doc.addressBook(), 1, company)); // empty
    QVERIFY(!rows.isMalformedPostalCode(doc.addressBook(), 1, 0));       // entry number
    QVERIFY(!rows.isMalformedPostalCode(doc.addressBook(), 5, postal));  // no such row
}

void TestPostal::editorFillsTheAddressFromTheCode()
{
    ScriptedEditor editor(QDate(2024, 1, 1));
    editor.setPostalTable(&mTable);
    auto* code = qobject_cast<QLineEdit*>(editor.fieldWidget(C::PostalCode));
    auto* address = qobject_cast<QLineEdit*>(editor.fieldWidget(C::Address1));
    type(code, u"164001"_qs);
    QCOMPARE(address->text(), QString()); // not complete yet
    type(code, u"3"_qs);
    QCOMPARE(code->text(), u"164-0013"_qs);
    QCOMPARE(address->text(), u"東京都中野区弥生町"_qs);
    QVERIFY(editor.asked.isEmpty());
    // The company code fills the company address line only.
    auto* companyCode = qobject_cast<QLineEdit*>(editor.fieldWidget(C::CompanyPostalCode));
    type(companyCode, u"１００－０００４"_qs);
    QCOMPARE(qobject_cast<QLineEdit*>(editor.fieldWidget(C::CompanyAddress1))->text(),
             u"東京都千代田区大手町"_qs);
    QCOMPARE(address->text(), u"東京都中野区弥生町"_qs);
}

void TestPostal::editorOffersTheTownsOfACode()
{
    ScriptedEditor editor(QDate(2024, 1, 1));
    editor.setPostalTable(&mTable);
    editor.pick = 2;
    auto* code = qobject_cast<QLineEdit*>(editor.fieldWidget(C::PostalCode));
    type(code, u"4520961"_qs);
    QCOMPARE(editor.offered.size(), 3);
    QCOMPARE(qobject_cast<QLineEdit*>(editor.fieldWidget(C::Address1))->text(),
             u"愛知県清須市春日稲荷"_qs);
    // Cancelling the list leaves the line alone.
    ScriptedEditor cancelled(QDate(2024, 1, 1));
    cancelled.setPostalTable(&mTable);
    cancelled.pick = -1;
    type(qobject_cast<QLineEdit*>(cancelled.fieldWidget(C::PostalCode)), u"4520961"_qs);
    QCOMPARE(qobject_cast<QLineEdit*>(cancelled.fieldWidget(C::Address1))->text(), QString());
}

void TestPostal::editorAsksBeforeReplacing()
{
    ScriptedEditor editor(QDate(2024, 1, 1));
    editor.setPostalTable(&mTable);
    auto* code = qobject_cast<QLineEdit*>(editor.fieldWidget(C::PostalCode));
    auto* address = qobject_cast<QLineEdit*>(editor.fieldWidget(C::Address1));
    // A line that already starts with the address keeps its house number, unasked.
    address->setText(u"東京都中野区弥生町1-2-3"_qs);
    type(code, u"1640013"_qs);
    QCOMPARE(address->text(), u"東京都中野区弥生町1-2-3"_qs);
    QVERIFY(editor.asked.isEmpty());
    // Another address is replaced only on yes.
    editor.answer = false;
    code->clear();
    type(code, u"1000005"_qs);
    QCOMPARE(editor.asked.size(), 1);
    QCOMPARE(address->text(), u"東京都中野区弥生町1-2-3"_qs);
    // Editing the same code again does not ask again; a new one does.
    code->setText(u"100-000"_qs);
    type(code, u"5"_qs);
    editor.answer = true;
    code->clear();
    type(code, u"1000004"_qs);
    QCOMPARE(editor.asked.size(), 2);
    QCOMPARE(address->text(), u"東京都千代田区大手町"_qs);
}

void TestPostal::editorSaysWhyNothingIsFilled()
{
    ScriptedEditor editor(QDate(2024, 1, 1));
    editor.setPostalTable(&mTable);
    auto* code = qobject_cast<QLineEdit*>(editor.fieldWidget(C::PostalCode));
    type(code, u"9999999"_qs);
    QCOMPARE(editor.postalStatus()->text(), u"郵便番号 999-9999 は見つかりません。"_qs);
    QCOMPARE(qobject_cast<QLineEdit*>(editor.fieldWidget(C::Address1))->text(), QString());

    PostalTable none;
    ScriptedEditor without(QDate(2024, 1, 1));
    without.setPostalTable(&none);
    type(qobject_cast<QLineEdit*>(without.fieldWidget(C::PostalCode)), u"1640013"_qs);
    QCOMPARE(without.postalStatus()->text(),
             u"郵便番号データがないため、住所の検索は使えません。"_qs);
    qobject_cast<QLineEdit*>(without.fieldWidget(C::Address1))->setText(u"東京都中野区弥生町"_qs);
    without.codeFromAddress(C::PostalCode);
    QCOMPARE(without.told, QStringList{u"郵便番号データがないため、住所の検索は使えません。"_qs});
}

void TestPostal::editorFillsTheCodeFromTheAddress()
{
    ScriptedEditor editor(QDate(2024, 1, 1));
    editor.setPostalTable(&mTable);
    auto* code = qobject_cast<QLineEdit*>(editor.fieldWidget(C::PostalCode));
    auto* address = qobject_cast<QLineEdit*>(editor.fieldWidget(C::Address1));
    editor.codeFromAddress(C::PostalCode);
    QCOMPARE(editor.told, QStringList{u"住所1を入力してください。"_qs});
    address->setText(u"東京都中野区弥生町1-2-3"_qs);
    QTest::mouseClick(editor.findChild<QPushButton*>(u"codeFromAddress"_qs), Qt::LeftButton);
    QCOMPARE(code->text(), u"164-0013"_qs);
    address->setText(u"府中市府中町3"_qs);
    editor.pick = 1;
    editor.codeFromAddress(C::PostalCode);
    QCOMPARE(editor.offered.size(), 2);
    QCOMPARE(code->text(), u"726-0005"_qs);
    address->setText(u"大阪府大阪市"_qs);
    editor.codeFromAddress(C::PostalCode);
    QCOMPARE(editor.told.last(), u"住所1に合う郵便番号が見つかりません。"_qs);
    QCOMPARE(code->text(), u"726-0005"_qs);
}

void TestPostal::editorStoresTheNormalisedForm()
{
    ScriptedEditor editor(QDate(2024, 1, 1));
    QStringList values(C::TextColumnCount);
    values[C::PostalCode] = u"１６４ー００１３"_qs;
    values[C::CompanyPostalCode] = u"164-001"_qs;
    editor.setValues(values);
    const QStringList stored = editor.values();
    QCOMPARE(stored.at(C::PostalCode), u"164-0013"_qs);
    QCOMPARE(stored.at(C::CompanyPostalCode), u"164-001"_qs);
}

void TestPostal::batchLookup_data()
{
    QTest::addColumn<QString>("table"); // "fixture", or a path that does not exist
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("one town") << u"fixture"_qs << u"１６４－００１３"_qs << 0
                              << u"東京都\t中野区\t弥生町\n"_qs << QString();
    QTest::newRow("many towns") << u"fixture"_qs << u"4520961"_qs << 0
                                << u"愛知県\t清須市\t春日明河原\n愛知県\t清須市\t春日一番割\n"
                                   "愛知県\t清須市\t春日稲荷\n"_qs
                                << QString();
    QTest::newRow("unknown") << u"fixture"_qs << u"9999999"_qs << 1 << QString()
                             << u"この郵便番号は見つかりません: 999-9999"_qs;
    QTest::newRow("malformed") << u"fixture"_qs << u"164-001"_qs << 1 << QString()
                               << u"郵便番号の形式が正しくありません: 164-001"_qs;
    QTest::newRow("empty code") << u"fixture"_qs << QString() << 1 << QString()
                                << u"郵便番号の形式が正しくありません"_qs;
    QTest::newRow("no table") << u"none"_qs << u"164-0013"_qs << 1 << QString()
                              << u"郵便番号データがないため、住所の検索は使えません。"_qs;
}

void TestPostal::batchLookup()
{
    QFETCH(QString, table);
    QFETCH(QString, code);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcess batch;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"ORINOTE_POSTAL_TABLE"_qs,
               table == u"fixture"_qs ? mTablePath : mDir.filePath(u"missing.dat"_qs));
    batch.setProcessEnvironment(env);
    batch.start(QStringLiteral(ORINOTE_BATCH), {u"--postal-code"_qs, code});
    QVERIFY(batch.waitForFinished(20000));
    QCOMPARE(batch.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(batch.readAllStandardOutput()), out);
    const QString errors = QString::fromUtf8(batch.readAllStandardError());
    if (err.isEmpty())
        QCOMPARE(errors, QString());
    else
        QVERIFY2(errors.contains(err), qPrintable(errors));
}

void TestPostal::realTable()
{
    const QString path = QStringLiteral(ORINOTE_POSTAL_TABLE);
    if (!QFileInfo(path).isFile()) {
        // CI fetches the package; a machine without npm or the network builds without it.
        if (qEnvironmentVariable("CI") == u"true"_qs)
            QFAIL("the postal code table was not built");
        QSKIP("no postal code table in this build");
    }
    QVERIFY(QFileInfo(path).size() < 3 * 1024 * 1024);
    PostalTable table;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(table.load(path), QString());
    qInfo("loaded %d entries in %lld ms", table.entryCount(), timer.elapsed());
    QVERIFY(table.entryCount() > 100000);
    QCOMPARE(texts(table.addresses(u"1640013"_qs)), QStringList{u"164-0013 東京都中野区弥生町"_qs});
    QCOMPARE(texts(table.addresses(u"100-0001"_qs)),
             QStringList{u"100-0001 東京都千代田区千代田"_qs});
    QVERIFY(table.addresses(u"452-0961"_qs).size() > 10); // one code, dozens of towns
    QCOMPARE(texts(table.codesForAddress(u"東京都中野区弥生町2-3-4"_qs)),
             QStringList{u"164-0013 東京都中野区弥生町"_qs});
    QVERIFY(table.addresses(u"000-0000"_qs).isEmpty());
}

void TestPostal::buildTableOnlyFromTheBuildTree_data()
{
    const QString tree = QFileInfo(QFileInfo(QStringLiteral(ORINOTE_POSTAL_TABLE)).absolutePath())
                             .absolutePath();
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("built");
    QTest::newRow("run from the build tree") << tree + u"/src/batch"_qs << true;
    QTest::newRow("installed") << u"/usr/bin"_qs << false;
    QTest::newRow("a folder beside the tree") << tree + u"-other/bin"_qs << false;
}

// An installed program falling back on the build tree's table would hide a package that
// lacks it on the machine that built it.
void TestPostal::buildTableOnlyFromTheBuildTree()
{
    QFETCH(QString, program);
    QFETCH(bool, built);
    if (qEnvironmentVariableIsSet("ORINOTE_POSTAL_TABLE"))
        QSKIP("the table is named by the environment");
    const QStringList places = PostalData::candidates(program);
    QCOMPARE(places.contains(QStringLiteral(ORINOTE_POSTAL_TABLE)), built);
    QVERIFY(places.first().startsWith(program));
}

QTEST_MAIN(TestPostal)
#include "tst_postal.moc"
