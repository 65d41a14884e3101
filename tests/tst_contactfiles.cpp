// Contact files as phones and mail programs write them (tests/data/contacts/, invented
// people in the published layouts): each file read as the batch's --import-contacts reads
// it, field by field, with what the import's message must name.

#include "address/AddressBook.h"
#include "address/CAddressData.h"
#include "address/ContactFields.h"
#include "address/ContactFileImport.h"
#include "postal/PostalData.h"
#include "postal/PostalTable.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using C = CAddressData;
using Fields = QList<std::pair<int, QString>>;

Q_DECLARE_METATYPE(Fields)

class TestContactFiles : public QObject
{
    Q_OBJECT

private slots:
    void files_data();
    void files();
    void restoredCode_data();
    void restoredCode();
    void batch_data();
    void batch();
};

void TestContactFiles::files_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("row");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QStringList>("message"); // pieces of the report's message

    QTest::newRow("iPhone, byte-order mark, year-less birthday")
        << u"iphone-bom.vcf"_qs << u"vCard"_qs << 1 << 0
        << Fields{{C::Name, u"森田 葵"_qs},
                  {C::Reading, u"モリタ　アオイ"_qs},
                  {C::Mobile1, u"090-4321-8765"_qs},
                  {C::Mail1, u"aoi.morita@example.jp"_qs},
                  {C::PostalCode, u"108-0075"_qs},
                  {C::Address1, u"東京都港区港南2-16-3"_qs},
                  {C::Company, u"株式会社みなと企画"_qs},
                  {C::BirthDate, QString()}}
        << QStringList{u"森田 葵（年のない誕生日 11月23日）"_qs};
    QTest::newRow("Android 2.1 Shift_JIS: SOUND, extended address, two-line note, QP '='")
        << u"android-sjis.vcf"_qs << u"vCard"_qs << 2 << 0
        << Fields{{C::Name, u"西村 健太"_qs},
                  {C::Reading, u"ニシムラ　ケンタ"_qs},
                  {C::Mobile1, u"080-2468-1357"_qs},
                  {C::Phone1, u"06-6345-0000"_qs},
                  {C::MobileMail1, u"kenta.n@docomo.example.ne.jp"_qs},
                  {C::PostalCode, u"530-0001"_qs},
                  {C::Address1, u"大阪府大阪市北区梅田3-1-1 グランビル801"_qs},
                  {C::Address2, QString()},
                  {C::Note1, u"年賀状は毎年 / 喪中に注意"_qs},
                  {C::Position, u"主任"_qs}}
        << QStringList();
    QTest::newRow("Android 2.1, the card after the QP '='")
        << u"android-sjis.vcf"_qs << u"vCard"_qs << 2 << 1
        << Fields{{C::Name, u"西村 美咲"_qs}, {C::Mobile1, u"080-1357-2468"_qs}} << QStringList();
    QTest::newRow("Android 4.0 SORT-AS, values beyond the columns")
        << u"android-v40.vcf"_qs << u"vCard"_qs << 1 << 0
        << Fields{{C::Name, u"安藤 玲奈"_qs},
                  {C::Reading, u"アンドウ　レイナ"_qs},
                  {C::Phone1, u"03-1111-0002"_qs},
                  {C::Phone2, u"03-1111-0003"_qs},
                  {C::Mail2, u"reina2@example.jp"_qs},
                  {C::Note1, u"一つ目のメモ"_qs},
                  {C::Note2, u"二つ目のメモ"_qs},
                  {C::PostalCode, u"060-0001"_qs},
                  {C::Address1, u"北海道札幌市中央区北一条西2-1"_qs}}
        << QStringList{u"入りきらなかった項目 4件"_qs, u"電話 03-1111-0004"_qs,
                       u"E-メール reina3@example.jp"_qs, u"備考 三つ目のメモ"_qs,
                       u"住所 自宅: 〒060-0042 北海道札幌市中央区大通西4"_qs};
    QTest::newRow("Gmail vCard, address in the extended part")
        << u"gmail.vcf"_qs << u"vCard"_qs << 1 << 0
        << Fields{{C::Name, u"小川 真一"_qs},
                  {C::Mobile1, u"+81 90-5555-7777"_qs},
                  {C::PostalCode, u"812-0011"_qs},
                  {C::Address1, u"福岡県福岡市博多区博多駅前2-1-1"_qs},
                  {C::Address2, QString()},
                  {C::Note1, u"大学の同期 / 2019年に転居"_qs}}
        << QStringList();
    QTest::newRow("Evolution, Western addresses")
        << u"evolution-en.vcf"_qs << u"vCard"_qs << 1 << 0
        << Fields{{C::Name, u"Carter Emily"_qs},
                  {C::Mobile1, u"+1 217 555 0199"_qs},
                  {C::Mail1, u"emily@example.org"_qs},
                  {C::PostalCode, QString()},
                  {C::Address1, u"742 Evergreen Terrace Apt 4B"_qs},
                  {C::Address2, u"Springfield IL 62704 USA"_qs},
                  {C::CompanyPostalCode, QString()},
                  {C::CompanyAddress1, u"1 Main St"_qs},
                  {C::CompanyAddress2, u"Springfield IL 62701 USA"_qs},
                  {C::Note1, u"Met at the 2019 conference. / Likes tea."_qs}}
        << QStringList();
    QTest::newRow("Outlook, Japanese headers, CP932, a dropped zero")
        << u"outlook-ja.csv"_qs << u"Outlook"_qs << 1 << 0
        << Fields{{C::Name, u"石川 大輔"_qs},
                  {C::CompanyPostalCode, u"060-0001"_qs},
                  {C::Mail2, u"d2@example.jp"_qs}}
        << QStringList{u"石川 大輔（E-メール d3@example.jp）"_qs,
                       u"先頭の0を補った郵便番号 1件: 石川 大輔（600001 → 060-0001）"_qs};
    QTest::newRow("Outlook, English, Western, a second address in the notes")
        << u"outlook-en.csv"_qs << u"Outlook"_qs << 2 << 0
        << Fields{{C::Name, u"Brennan Michael"_qs},
                  {C::Address1, u"15 Elm Street"_qs},
                  {C::Address2, u"Berkeley CA 94704 United States of America"_qs},
                  {C::Phone2, u"+1 510 555 0103"_qs},
                  {C::Note1, u"Call before noon. / Prefers email."_qs},
                  {C::Note2, u"その他: 8 Bay Rd Sausalito CA 94965"_qs}}
        << QStringList();
    QTest::newRow("Outlook.com, Yomi columns")
        << u"outlookcom.csv"_qs << u"Outlook"_qs << 1 << 0
        << Fields{{C::Name, u"中島 由美"_qs},
                  {C::Reading, u"ナカジマ　ユミ"_qs},
                  {C::Mail1, u"yumi.nakajima@example.jp"_qs},
                  {C::Mobile1, u"070-1234-9876"_qs},
                  {C::PostalCode, u"223-0062"_qs},
                  {C::Address1, u"神奈川県横浜市港北区日吉本町1-2-3"_qs},
                  {C::BirthDate, u"1992/05/20"_qs}}
        << QStringList();
    QTest::newRow("Thunderbird")
        << u"thunderbird.csv"_qs << u"Thunderbird"_qs << 2 << 0
        << Fields{{C::Name, u"林 翔太"_qs},
                  {C::Mail1, u"shota@example.jp"_qs},
                  {C::Mail2, u"shota.hayashi@example.net"_qs},
                  {C::CompanyPhone1, u"03-5555-1234"_qs},
                  {C::Phone1, u"03-5555-5678"_qs},
                  {C::Fax, u"03-5555-9999"_qs},
                  {C::Mobile1, u"080-9999-0000"_qs},
                  {C::PostalCode, u"164-0001"_qs},
                  {C::Address1, u"東京都中野区中野1-2-3"_qs},
                  {C::Address2, u"中野ハイツ101"_qs},
                  {C::Position, u"エンジニア"_qs},
                  {C::Department, u"開発部"_qs},
                  {C::Company, u"株式会社ナカノ技研"_qs},
                  {C::Url, u"https://shota.example.jp"_qs},
                  {C::BirthDate, u"1985/04/15"_qs},
                  {C::Note1, u"山登り仲間"_qs}}
        << QStringList{u"Laura（年のない誕生日 7月2日）"_qs};
    QTest::newRow("Thunderbird, Western, birthday without a year")
        << u"thunderbird.csv"_qs << u"Thunderbird"_qs << 2 << 1
        << Fields{{C::Name, u"Keller Laura"_qs},
                  {C::Mail1, u"laura@example.de"_qs},
                  {C::PostalCode, QString()},
                  {C::Address1, u"Hauptstr. 5"_qs},
                  {C::Address2, u"Berlin 10115 Germany"_qs},
                  {C::BirthDate, QString()}}
        << QStringList();
    QTest::newRow("Google CSV saved by a spreadsheet: dropped zeros, a second home address")
        << u"google-libreoffice.csv"_qs << u"Googleコンタクト"_qs << 2 << 0
        << Fields{{C::Name, u"佐々木 千尋"_qs},
                  {C::Reading, u"ササキ　チヒロ"_qs},
                  {C::Mail1, u"chihiro@example.jp"_qs},
                  {C::Mobile1, u"090-3030-4040"_qs},
                  {C::PostalCode, u"060-0042"_qs},
                  {C::Address1, u"北海道札幌市中央区大通西4"_qs},
                  {C::Note1, u"旧住所あり"_qs},
                  {C::Note2, u"自宅: 〒30-0801 青森県青森市新町1-1"_qs}}
        << QStringList{u"先頭の0を補った郵便番号 1件: 佐々木 千尋（600042 → 060-0042）"_qs};
    QTest::newRow("Google CSV, a short code the address does not agree with")
        << u"google-libreoffice.csv"_qs << u"Googleコンタクト"_qs << 2 << 1
        << Fields{{C::Name, u"藤井 健"_qs},
                  {C::PostalCode, u"600001"_qs},
                  {C::Address1, u"東京都千代田区丸の内1-1"_qs}}
        << QStringList();
}

void TestContactFiles::files()
{
    QFETCH(QString, file);
    QFETCH(QString, format);
    QFETCH(int, records);
    QFETCH(int, row);
    QFETCH(Fields, fields);
    QFETCH(QStringList, message);
    if (!PostalData::table().isLoaded())
        QSKIP("no postal code table in this build");
    const ContactFileImport::Result read =
        ContactFileImport::read(QStringLiteral(ORINOTE_CONTACTS) + u'/' + file);
    const VCardReader::Result& result = read.contacts;
    QCOMPARE(result.error, QString());
    QCOMPARE(read.format, format);
    QCOMPARE(result.skippedCards, 0);
    QCOMPARE(result.skippedValues, 0);
    QCOMPARE(result.records.recordCount(), records);
    for (const auto& [column, value] : fields)
        QCOMPARE(result.records.field(row, column) + u"  <"_qs + C::columnTitle(column) + u">"_qs,
                 value + u"  <"_qs + C::columnTitle(column) + u">"_qs);
    const QString text = result.report.message();
    for (const QString& piece : message)
        QVERIFY2(text.contains(piece), qPrintable(text));
}

// A code whose leading zero a spreadsheet dropped is given it back only where the table
// has the code and the address names one of its cities.
void TestContactFiles::restoredCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("restored");
    QTest::newRow("six digits") << u"600001"_qs << u"北海道札幌市中央区北一条西2"_qs
                                << u"060-0001"_qs;
    QTest::newRow("two and four") << u"60-0001"_qs << u"札幌市中央区北一条西"_qs << u"060-0001"_qs;
    QTest::newRow("full width") << u"６０００４２"_qs << u"北海道札幌市中央区大通西4"_qs
                                << u"060-0042"_qs;
    QTest::newRow("address elsewhere") << u"600001"_qs << u"東京都千代田区"_qs << QString();
    QTest::newRow("no address") << u"600001"_qs << QString() << QString();
    QTest::newRow("not in the table") << u"999999"_qs << u"北海道札幌市中央区"_qs << QString();
    QTest::newRow("seven digits are no dropped zero")
        << u"0600001"_qs << u"北海道札幌市中央区"_qs << QString();
}

void TestContactFiles::restoredCode()
{
    QFETCH(QString, code);
    QFETCH(QString, address);
    QFETCH(QString, restored);
    if (!PostalData::table().isLoaded())
        QSKIP("no postal code table in this build");
    QCOMPARE(ContactFields::restoredCode(code, address, PostalData::table()), restored);
}

void TestContactFiles::batch_data()
{
    QTest::addColumn<QString>("file");     // in tests/data/contacts, or a text written here
    QTest::addColumn<QStringList>("extra"); // further options
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("records");      // records in group か afterwards
    QTest::addColumn<QStringList>("message");
    QTest::newRow("Japanese Outlook CSV")
        << u"outlook-ja.csv"_qs << QStringList{u"--group"_qs, u"か"_qs} << 0 << 1
        << QStringList{u"outlook-ja.csv（Outlook）: 1件を読み込み、「か行」に1件を追加しました。"_qs,
                       u"先頭の0を補った郵便番号 1件"_qs, u"E-メール d3@example.jp"_qs};
    QTest::newRow("Shift_JIS vCard")
        << u"android-sjis.vcf"_qs << QStringList{u"--group"_qs, u"1"_qs} << 0 << 2
        << QStringList{u"android-sjis.vcf（vCard）: 2件を読み込み、「か行」に2件を追加しました。"_qs};
    QTest::newRow("no contact file")
        << u"氏名,住所\n山田,東京\n"_qs << QStringList{u"--group"_qs, u"か"_qs} << 1 << 0
        << QStringList{u"連絡先のファイル"_qs};
    QTest::newRow("no group") << u"thunderbird.csv"_qs << QStringList() << 2 << 0
                              << QStringList{u"--import-contacts と --group"_qs};
}

// orinote-batch appends the contacts of any supported export to a group and says what it
// read, added and could not place.
void TestContactFiles::batch()
{
    QFETCH(QString, file);
    QFETCH(QStringList, extra);
    QFETCH(int, exitCode);
    QFETCH(int, records);
    QFETCH(QStringList, message);
    if (!PostalData::table().isLoaded())
        QSKIP("no postal code table in this build");
    QTemporaryDir dir;
    QString in = QStringLiteral(ORINOTE_CONTACTS) + u'/' + file;
    if (file.contains(u'\n')) {
        in = dir.filePath(u"other.csv"_qs);
        QFile out(in);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file.toUtf8());
    }
    const QString book = dir.filePath(u"out.ona"_qs);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    env.insert(u"ORINOTE_POSTAL_TABLE"_qs, PostalData::tablePath());
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ORINOTE_BATCH),
                  QStringList{u"--profile"_qs, dir.filePath(u"batch.ini"_qs), u"--data-folder"_qs,
                              dir.path(), u"--import-contacts"_qs, in, u"--save-addressbook"_qs,
                              book} +
                      extra);
    QVERIFY(process.waitForFinished(20000));
    const QString error = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(process.exitCode() == exitCode,
             qPrintable(QStringLiteral("exit %1: %2").arg(process.exitCode()).arg(error)));
    for (const QString& piece : message)
        QVERIFY2(error.contains(piece), qPrintable(error));
    if (exitCode != 0)
        return;
    AddressBook saved;
    QCOMPARE(saved.loadFile(book), QString());
    QCOMPARE(saved.group(1).recordCount(), records);
    QCOMPARE(saved.group(1).field(0, C::EntryNumber), AddressBook::entryPrefix(1) + u"1"_qs);
}

QTEST_GUILESS_MAIN(TestContactFiles)
#include "tst_contactfiles.moc"
