// Contact CSV files of mail programs and Google Contacts, as their exports are shaped,
// mapped by header names field by field; and how their bytes are read.

#include "address/AddressBook.h"
#include "address/AddressCsvImport.h"
#include "address/CAddressData.h"
#include "address/ContactCsvImport.h"
#include "address/ContactFields.h"
#include "address/ContactImportReport.h"
#include "address/CsvRowTable.h"
#include "base/TextCodec.h"

#include <QTest>

using C = CAddressData;
using Fields = QList<std::pair<int, QString>>;

Q_DECLARE_METATYPE(Fields)
Q_DECLARE_METATYPE(ContactCsvImport::Preset)

namespace {

// The current Google export: UTF-8 without a byte-order mark, labelled columns.
const char* const kGoogle =
    "First Name,Middle Name,Last Name,Phonetic First Name,Phonetic Middle Name,Phonetic Last "
    "Name,Name Prefix,Name Suffix,Nickname,File As,Organization Name,Organization Title,"
    "Organization Department,Birthday,Notes,Photo,Labels,E-mail 1 - Label,E-mail 1 - Value,"
    "E-mail 2 - Label,E-mail 2 - Value,Phone 1 - Label,Phone 1 - Value,Phone 2 - Label,Phone 2 - "
    "Value,Phone 3 - Label,Phone 3 - Value,Address 1 - Label,Address 1 - Formatted,Address 1 - "
    "Street,Address 1 - City,Address 1 - PO Box,Address 1 - Region,Address 1 - Postal Code,"
    "Address 1 - Country,Address 1 - Extended Address,Website 1 - Label,Website 1 - Value\n"
    "太郎,,山田,たろう,,やまだ,,,,,株式会社サンプル,課長,営業部,1980-04-07,メモです,,* "
    "myContacts,* Home,taro@example.jp,Work,yamada@example.co.jp,Mobile,090-1234-5678 ::: "
    "080-0000-1111,Home,03-1234-5678,Work Fax,03-9999-0000,Home,\"東京都中野区中野1-2-3\n日本\","
    "中野1-2-3,中野区,,東京都,1640001,日本,コーポ101,Homepage,https://example.jp\n"
    "次郎,,佐藤,,,,,,,,,,,--05-06,,,,,,,,,,,,,,,,,,,,,,,,\n";

// The older Google layout.
const char* const kGoogleOld =
    "Name,Given Name,Additional Name,Family Name,Yomi Name,Given Name Yomi,Additional Name "
    "Yomi,Family Name Yomi,Birthday,Notes,E-mail 1 - Type,E-mail 1 - Value,Phone 1 - Type,"
    "Phone 1 - Value,Address 1 - Type,Address 1 - Formatted,Address 1 - Street,Address 1 - City,"
    "Address 1 - Region,Address 1 - Postal Code,Organization 1 - Name,Organization 1 - Title\n"
    "鈴木 花子,花子,,鈴木,,ﾊﾅｺ,,ｽｽﾞｷ,1990-03-15,,* Other,hanako@example.com,Mobile,"
    "080-1111-2222,Work,,日吉1-2-3,横浜市港北区,神奈川県,223-0061,サンプル商事,部長\n";

// Japanese Outlook, CP932.
const char* const kOutlookJa =
    "敬称,名,ミドル ネーム,姓,会社名,部署,役職,番地 (会社),番地 2 (会社),市町村 (会社),"
    "都道府県 (会社),郵便番号 (会社),番地 (自宅),番地 2 (自宅),市町村 (自宅),都道府県 (自宅),"
    "郵便番号 (自宅),会社 FAX,会社電話,自宅 FAX,自宅電話,携帯電話,誕生日,電子メール アドレス,"
    "電子メール 2 アドレス,メモ,Web ページ,フリガナ (姓),フリガナ (名)\n"
    ",三郎,,高橋,高橋商店,総務,係長,銀座4-5-6,第二ビル,中央区,東京都,104-0061,本町1-1,"
    "メゾン2F,大阪市中央区,大阪府,５４１－００５３,03-1111-2222,03-1111-2223,06-1111-1111,"
    "06-2222-2222,090-3333-4444,1975/1/2,saburo@example.jp,s2@example.jp,備考,"
    "http://example.jp,タカハシ,サブロウ\n";

// English Outlook: the birthday as month/day/year, "0/0/00" for none.
const char* const kOutlookEn =
    "Title,First Name,Middle Name,Last Name,Suffix,Company,Department,Job Title,Business "
    "Street,Business City,Business State,Business Postal Code,Home Street,Home City,Home State,"
    "Home Postal Code,Business Phone,Home Phone,Mobile Phone,Birthday,E-mail Address,Notes,"
    "Web Page\n"
    ",John,Q,Smith,,ACME,Sales,Manager,1 Main St,Springfield,IL,62701,2 Elm St,Shelbyville,IL,"
    "62565,555-0100,555-0101,555-0102,4/7/1980,john@example.com,hi,http://acme.example\n"
    ",Jane,,Doe,,,,,,,,,,,,,,,,0/0/00,,,\n";

CsvRowTable table(const QByteArray& bytes)
{
    return CsvRowTable(ContactCsvImport::joinedLines(AddressCsvImport::decodeLines(bytes)));
}

} // namespace

class TestContactCsv : public QObject
{
    Q_OBJECT

private slots:
    void mapped_data();
    void mapped();
    void recognises();
    void joinedLines_data();
    void joinedLines();
    void decodesUtf8WithoutMark_data();
    void decodesUtf8WithoutMark();
    void importedWithNumbers();
    void longValuesCutAndNamed();
};

void TestContactCsv::mapped_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ContactCsvImport::Preset>("preset");
    QTest::addColumn<int>("row"); // data row, 0 the first after the header
    QTest::addColumn<Fields>("fields");
    QTest::newRow("Google") << QByteArray(kGoogle) << ContactCsvImport::Google << 0
                            << Fields{{C::Name, u"山田 太郎"_qs},
                                      {C::Reading, u"ヤマダ　タロウ"_qs},
                                      {C::Company, u"株式会社サンプル"_qs},
                                      {C::Position, u"課長"_qs},
                                      {C::Department, u"営業部"_qs},
                                      {C::BirthDate, u"1980/04/07"_qs},
                                      {C::Note1, u"メモです"_qs},
                                      {C::Mail1, u"taro@example.jp"_qs},
                                      {C::CompanyMail, u"yamada@example.co.jp"_qs},
                                      {C::Mobile1, u"090-1234-5678"_qs},
                                      {C::Mobile2, u"080-0000-1111"_qs},
                                      {C::Phone1, u"03-1234-5678"_qs},
                                      {C::CompanyFax, u"03-9999-0000"_qs},
                                      {C::Fax, QString()},
                                      {C::PostalCode, u"164-0001"_qs},
                                      {C::Address1, u"東京都中野区中野1-2-3"_qs},
                                      {C::Address2, u"コーポ101"_qs},
                                      {C::Url, u"https://example.jp"_qs}};
    QTest::newRow("Google, year-less birthday")
        << QByteArray(kGoogle) << ContactCsvImport::Google << 1
        << Fields{{C::Name, u"佐藤 次郎"_qs}, {C::BirthDate, QString()}, {C::Reading, QString()}};
    QTest::newRow("Google, older layout")
        << QByteArray(kGoogleOld) << ContactCsvImport::Google << 0
        << Fields{{C::Name, u"鈴木 花子"_qs},
                  {C::Reading, u"スズキ　ハナコ"_qs},
                  {C::BirthDate, u"1990/03/15"_qs},
                  {C::Mail1, u"hanako@example.com"_qs},
                  {C::Mobile1, u"080-1111-2222"_qs},
                  {C::CompanyPostalCode, u"223-0061"_qs},
                  {C::CompanyAddress1, u"神奈川県横浜市港北区日吉1-2-3"_qs},
                  {C::Address1, QString()},
                  {C::Company, u"サンプル商事"_qs},
                  {C::Position, u"部長"_qs}};
    QTest::newRow("Outlook, Japanese, CP932")
        << TextCodec::encode(QString::fromUtf8(kOutlookJa)) << ContactCsvImport::Outlook << 0
        << Fields{{C::Name, u"高橋 三郎"_qs},
                  {C::Reading, u"タカハシ　サブロウ"_qs},
                  {C::Company, u"高橋商店"_qs},
                  {C::Department, u"総務"_qs},
                  {C::Position, u"係長"_qs},
                  {C::CompanyAddress1, u"東京都中央区銀座4-5-6"_qs},
                  {C::CompanyAddress2, u"第二ビル"_qs},
                  {C::CompanyPostalCode, u"104-0061"_qs},
                  {C::Address1, u"大阪府大阪市中央区本町1-1"_qs},
                  {C::Address2, u"メゾン2F"_qs},
                  {C::PostalCode, u"541-0053"_qs},
                  {C::CompanyFax, u"03-1111-2222"_qs},
                  {C::CompanyPhone1, u"03-1111-2223"_qs},
                  {C::Fax, u"06-1111-1111"_qs},
                  {C::Phone1, u"06-2222-2222"_qs},
                  {C::Mobile1, u"090-3333-4444"_qs},
                  {C::BirthDate, u"1975/01/02"_qs},
                  {C::Mail1, u"saburo@example.jp"_qs},
                  {C::Mail2, u"s2@example.jp"_qs},
                  {C::Note1, u"備考"_qs},
                  {C::Url, u"http://example.jp"_qs}};
    QTest::newRow("Outlook, English") << QByteArray(kOutlookEn) << ContactCsvImport::Outlook << 0
                                      << Fields{{C::Name, u"Smith John"_qs},
                                                {C::Company, u"ACME"_qs},
                                                {C::CompanyAddress1, u"1 Main St"_qs},
                                                {C::CompanyAddress2, u"Springfield IL 62701"_qs},
                                                {C::CompanyPostalCode, QString()},
                                                {C::CompanyPhone1, u"555-0100"_qs},
                                                {C::Phone1, u"555-0101"_qs},
                                                {C::Mobile1, u"555-0102"_qs},
                                                {C::BirthDate, u"1980/04/07"_qs},
                                                {C::Mail1, u"john@example.com"_qs},
                                                {C::Url, u"http://acme.example"_qs}};
    QTest::newRow("Outlook, no birthday")
        << QByteArray(kOutlookEn) << ContactCsvImport::Outlook << 1
        << Fields{{C::Name, u"Doe Jane"_qs}, {C::BirthDate, QString()}};
}

void TestContactCsv::mapped()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ContactCsvImport::Preset, preset);
    QFETCH(int, row);
    QFETCH(Fields, fields);
    const CsvRowTable rows = table(bytes);
    QList<QStringList> data;
    for (int r = 1; r < rows.rowCount(); ++r)
        data.append(rows.row(r));
    const QList<QStringList> records = ContactCsvImport::records(rows.row(0), data, preset);
    QCOMPARE(records.size(), data.size());
    QCOMPARE(records.at(row).size(), C::TextColumnCount);
    QCOMPARE(records.at(row).at(C::EntryNumber), QString());
    for (const auto& [column, value] : fields)
        QCOMPARE(records.at(row).at(column) + u" <"_qs + C::columnTitle(column) + u">"_qs,
                 value + u" <"_qs + C::columnTitle(column) + u">"_qs);
}

void TestContactCsv::recognises()
{
    QVERIFY(ContactCsvImport::recognises(table(kGoogle).row(0), ContactCsvImport::Google));
    QVERIFY(ContactCsvImport::recognises(table(kOutlookEn).row(0), ContactCsvImport::Outlook));
    const QStringList own{u"登録番号"_qs, u"氏名"_qs, u"敬称"_qs};
    QVERIFY(!ContactCsvImport::recognises(own, ContactCsvImport::Google));
    QVERIFY(!ContactCsvImport::recognises(own, ContactCsvImport::Outlook));
    // The program's own export names 会社, 部署 and 役職 too, but no family or given name.
    QCOMPARE(ContactCsvImport::presetOf(
                 u"登録番号,氏名,敬称,フリガナ,会社,部署,役職,備考1"_qs.split(u',')),
             -1);
    QCOMPARE(ContactCsvImport::presetOf(table(kGoogleOld).row(0)), int(ContactCsvImport::Google));
    QCOMPARE(
        ContactCsvImport::presetOf(table(TextCodec::encode(QString::fromUtf8(kOutlookJa))).row(0)),
        int(ContactCsvImport::Outlook));
}

void TestContactCsv::joinedLines_data()
{
    QTest::addColumn<QStringList>("in");
    QTest::addColumn<QStringList>("out");
    QTest::newRow("none") << QStringList{u"a,b"_qs, u"c"_qs} << QStringList{u"a,b"_qs, u"c"_qs};
    QTest::newRow("address over two lines")
        << QStringList{u"h"_qs, u"x,\"東京都"_qs, u"日本\",y"_qs, u"z"_qs}
        << QStringList{u"h"_qs, u"x,\"東京都\n日本\",y"_qs, u"z"_qs};
    QTest::newRow("stray quote takes at most eight lines")
        << (QStringList{u"\""_qs} + QStringList(10, u"l"_qs))
        << (QStringList{u"\"\nl\nl\nl\nl\nl\nl\nl\nl"_qs} + QStringList(2, u"l"_qs));
}

void TestContactCsv::joinedLines()
{
    QFETCH(QStringList, in);
    QFETCH(QStringList, out);
    QCOMPARE(ContactCsvImport::joinedLines(in), out);
}

void TestContactCsv::decodesUtf8WithoutMark_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("first");
    QTest::newRow("UTF-8 without mark") << QByteArray("名前\nx") << u"名前"_qs;
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF名前\nx") << u"名前"_qs;
    QTest::newRow("CP932") << TextCodec::encode(u"名前,ソ表\nx"_qs) << u"名前,ソ表"_qs;
    QTest::newRow("ASCII") << QByteArray("a,b\r\nx") << u"a,b"_qs;
}

void TestContactCsv::decodesUtf8WithoutMark()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, first);
    const QStringList lines = AddressCsvImport::decodeLines(bytes);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.first(), first);
}

// Through the import of the CSV window: the group's numbers, postal codes stored as printed.
void TestContactCsv::importedWithNumbers()
{
    AddressBook book;
    book.group(2).appendRecord({u"SA-4"_qs});
    const CsvRowTable rows = table(kGoogleOld);
    const QList<QStringList> records = ContactCsvImport::records(
        rows.row(0), {rows.row(1), rows.row(1)}, ContactCsvImport::Google);
    QCOMPARE(AddressCsvImport::importRecords(book, 2, records, true), 2);
    QCOMPARE(book.group(2).textColumn(C::EntryNumber),
             (QStringList{u"SA-4"_qs, u"SA-5"_qs, u"SA-6"_qs}));
    QCOMPARE(book.group(2).field(2, C::Name), u"鈴木 花子"_qs);
}

// Values longer than a field keeps are cut there and named with the contact.
void TestContactCsv::longValuesCutAndNamed()
{
    const QString header = u"First Name,Last Name,Notes,E-mail 1 - Label,E-mail 1 - Value"_qs;
    const QStringList row{u"花子"_qs, u"鈴木"_qs, QString(5000, u'n'), u"* Home"_qs,
                          QString(6000, u'm')};
    ContactImportReport report;
    const QList<QStringList> records = ContactCsvImport::records(
        header.split(u','), {row}, ContactCsvImport::Google, &report);
    QCOMPARE(records.at(0).at(C::Note1).size(), ContactFields::MaxFieldChars);
    QCOMPARE(records.at(0).at(C::Mail1).size(), ContactFields::MaxFieldChars);
    QCOMPARE(report.cutCount(), 2);
    QVERIFY2(report.message().contains(u"鈴木 花子（備考 5000文字）"_qs), qPrintable(report.message()));
}

QTEST_GUILESS_MAIN(TestContactCsv)
#include "tst_contactcsv.moc"
