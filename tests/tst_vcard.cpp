// Contact files: cards as phones and mail programs write them, read field by field; hostile
// files read as far as they are sound; the program's own cards read back as the same records.

#include "address/AddressBook.h"
#include "address/AddressCsvImport.h"
#include "address/CAddressData.h"
#include "address/ContactFields.h"
#include "address/VCardReader.h"
#include "address/VCardWriter.h"
#include "base/TextCodec.h"
#include "support/SparseFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using C = CAddressData;
using Fields = QList<std::pair<int, QString>>;

Q_DECLARE_METATYPE(Fields)

namespace {

// QUOTED-PRINTABLE of the bytes, with a soft line break after every 24 encoded bytes.
QByteArray qp(const QByteArray& bytes)
{
    QByteArray out;
    int count = 0;
    for (char c : bytes) {
        if (count && count % 24 == 0)
            out.append("=\r\n");
        out.append('=').append(QByteArray::number(uchar(c), 16).rightJustified(2, '0').toUpper());
        ++count;
    }
    return out;
}

QByteArray sjis(const QString& text)
{
    return TextCodec::encode(text);
}

const char* const kIPhone =
    "BEGIN:VCARD\r\n"
    "VERSION:3.0\r\n"
    "PRODID:-//Apple Inc.//iPhone OS 17.0//EN\r\n"
    "N:山田;太郎;;;\r\n"
    "FN:山田 太郎\r\n"
    "X-PHONETIC-FIRST-NAME:たろう\r\n"
    "X-PHONETIC-LAST-NAME:やまだ\r\n"
    "ORG:株式会社サンプル;営業部;\r\n"
    "TITLE:課長\r\n"
    "EMAIL;type=INTERNET;type=HOME;type=pref:taro@example.jp\r\n"
    "EMAIL;type=INTERNET;type=WORK:yamada@example.co.jp\r\n"
    "TEL;type=CELL;type=VOICE;type=pref:090-1234-5678\r\n"
    "TEL;type=HOME;type=VOICE:03-1234-5678\r\n"
    "TEL;type=WORK;type=VOICE:03-9876-5432\r\n"
    "item1.ADR;type=HOME;type=pref:;;中野1-2-3;中野区;東京都;1640001;日本\r\n"
    "item1.X-ABADR:jp\r\n"
    "item2.ADR;type=WORK:;サンプルビル5F;丸の内1-1-1;千代田区;東京都;100-0005;日本\r\n"
    "item3.URL;type=pref:https://example.jp/taro\r\n"
    "item3.X-ABLabel:_$!<HomePage>!$_\r\n"
    "BDAY:1980-04-07\r\n"
    "NOTE:テスト\\, メモ\\;二つ目\r\n"
    "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD/\r\n"
    " 2wBDAAgGBgcGBQgHBwcJCQgKDBQNDAsLDBkSEw8UHRofHh0aHBwgJC4nICIsIxwcKDcpLDA\r\n"
    "END:VCARD\r\n";

QByteArray android21()
{
    QByteArray card = "BEGIN:VCARD\r\nVERSION:2.1\r\n";
    card +=
        "N;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:" + qp(sjis(u"鈴木;花子;;;"_qs)) + "\r\n";
    card += "FN;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:" + qp(sjis(u"鈴木 花子"_qs)) + "\r\n";
    card += "SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:" + sjis(u"ｽｽﾞｷ;ﾊﾅｺ;;;"_qs) + "\r\n";
    card += "TEL;CELL:080-1111-2222\r\nTEL;HOME:045-123-4567\r\nTEL;FAX:045-123-4568\r\n";
    card += "EMAIL;CELL:hanako@docomo.ne.jp\r\nEMAIL;HOME:hanako@example.com\r\n";
    // ソ and 表 end in the byte of a backslash in Shift_JIS.
    card += "ADR;HOME;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:" +
            qp(sjis(u";ソレイユ101;港北区日吉1-2-3;横浜市;神奈川県;２２３－００６１;"_qs)) + "\r\n";
    card += "BDAY:19900315\r\n";
    card +=
        "NOTE;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:" + qp(sjis(u"表計算ソフト"_qs)) + "\r\n";
    card += "X-DCM-HMN-MODE:\r\nPHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n /9j/4AAQ\r\n\r\n";
    card += "END:VCARD\r\n";
    return card;
}

const char* const kGoogle = "BEGIN:VCARD\n"
                            "VERSION:3.0\n"
                            "FN:佐藤 次郎\n"
                            "N:佐藤;次郎;;;\n"
                            "X-PHONETIC-FIRST-NAME:ジロウ\n"
                            "X-PHONETIC-LAST-NAME:サトウ\n"
                            "EMAIL;TYPE=INTERNET;TYPE=HOME:jiro@gmail.com\n"
                            "EMAIL;TYPE=INTERNET:jiro2@gmail.com\n"
                            "EMAIL;TYPE=INTERNET:jiro3@gmail.com\n"
                            "TEL;TYPE=CELL:+81 90-2222-3333\n"
                            "ADR;TYPE=HOME:;;大手町1-1;千代田区;東京都;100-0004;日本\n"
                            "ORG:サンプル商事\n"
                            "item1.URL:http\\://example.com/jiro\n"
                            "item1.X-ABLabel:\n"
                            "CATEGORIES:myContacts\n"
                            "END:VCARD\n";

const char* const kVersion4 =
    "BEGIN:VCARD\r\n"
    "VERSION:4.0\r\n"
    "FN:高橋 三郎\r\n"
    "N;SORT-AS=\"タカハシ,サブロウ\":高橋;三郎;;;\r\n"
    "TEL;VALUE=uri;TYPE=\"work,voice\":tel:+81-3-5555-6666\r\n"
    "TEL;VALUE=uri;TYPE=\"work,fax\":tel:+81-3-5555-6667\r\n"
    "ADR;TYPE=work;LABEL=\"東京都中央区\":;;銀座4-5-6;中央区;東京都;1040061;\r\n"
    "BDAY:--0415\r\n"
    "NOTE:一行目\\n二行\r\n"
    "\t目の続き\r\n"
    "END:VCARD\r\n";

QStringList readOne(const QByteArray& bytes)
{
    const VCardReader::Result result = VCardReader::read(bytes);
    QStringList record;
    for (int c = 0; result.records.recordCount() == 1 && c < C::TextColumnCount; ++c)
        record.append(result.records.field(0, c));
    return record;
}

} // namespace

class TestVCard : public QObject
{
    Q_OBJECT

private slots:
    void realCards_data();
    void realCards();
    void hostile_data();
    void hostile();
    void reportNamesCards_data();
    void reportNamesCards();
    void fullWidthKatakana_data();
    void fullWidthKatakana();
    void roundTrip();
    void foldedAndWritten();
    void readFileErrors();
    void readFileRefusals_data();
    void readFileRefusals();
    void batch_data();
    void batch();
};

void TestVCard::realCards_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Fields>("fields");
    QTest::newRow("iPhone 3.0") << QByteArray(kIPhone)
                                << Fields{{C::Name, u"山田 太郎"_qs},
                                          {C::Reading, u"ヤマダ　タロウ"_qs},
                                          {C::PostalCode, u"164-0001"_qs},
                                          {C::Address1, u"東京都中野区中野1-2-3"_qs},
                                          {C::Address2, u""_qs},
                                          {C::Mobile1, u"090-1234-5678"_qs},
                                          {C::Phone1, u"03-1234-5678"_qs},
                                          {C::CompanyPhone1, u"03-9876-5432"_qs},
                                          {C::Mail1, u"taro@example.jp"_qs},
                                          {C::CompanyMail, u"yamada@example.co.jp"_qs},
                                          {C::Url, u"https://example.jp/taro"_qs},
                                          {C::Company, u"株式会社サンプル"_qs},
                                          {C::Department, u"営業部"_qs},
                                          {C::Position, u"課長"_qs},
                                          {C::CompanyPostalCode, u"100-0005"_qs},
                                          {C::CompanyAddress1, u"東京都千代田区丸の内1-1-1"_qs},
                                          {C::CompanyAddress2, u"サンプルビル5F"_qs},
                                          {C::BirthDate, u"1980/04/07"_qs},
                                          {C::Note1, u"テスト, メモ;二つ目"_qs},
                                          {C::Picture, u""_qs}};
    QTest::newRow("Android 2.1 Shift_JIS QP")
        << android21()
        << Fields{{C::Name, u"鈴木 花子"_qs},
                  {C::Reading, u"スズキ　ハナコ"_qs},
                  {C::Mobile1, u"080-1111-2222"_qs},
                  {C::Phone1, u"045-123-4567"_qs},
                  {C::Fax, u"045-123-4568"_qs},
                  {C::MobileMail1, u"hanako@docomo.ne.jp"_qs},
                  {C::Mail1, u"hanako@example.com"_qs},
                  {C::PostalCode, u"223-0061"_qs},
                  {C::Address1, u"神奈川県横浜市港北区日吉1-2-3"_qs},
                  {C::Address2, u"ソレイユ101"_qs},
                  {C::BirthDate, u"1990/03/15"_qs},
                  {C::Note1, u"表計算ソフト"_qs}};
    QTest::newRow("Google 3.0") << QByteArray(kGoogle)
                                << Fields{{C::Name, u"佐藤 次郎"_qs},
                                          {C::Reading, u"サトウ　ジロウ"_qs},
                                          {C::Mail1, u"jiro@gmail.com"_qs},
                                          {C::Mail2, u"jiro2@gmail.com"_qs},
                                          {C::Mobile1, u"+81 90-2222-3333"_qs},
                                          {C::PostalCode, u"100-0004"_qs},
                                          {C::Address1, u"東京都千代田区大手町1-1"_qs},
                                          {C::Company, u"サンプル商事"_qs},
                                          {C::Department, u""_qs},
                                          {C::Url, u"http://example.com/jiro"_qs}};
    QTest::newRow("4.0 SORT-AS, uri, work only")
        << QByteArray(kVersion4)
        << Fields{{C::Name, u"高橋 三郎"_qs},
                  {C::Reading, u"タカハシ　サブロウ"_qs},
                  {C::CompanyPhone1, u"+81-3-5555-6666"_qs},
                  {C::CompanyFax, u"+81-3-5555-6667"_qs},
                  {C::Phone1, u""_qs},
                  {C::PostalCode, u""_qs},
                  {C::Address1, u""_qs},
                  {C::CompanyPostalCode, u"104-0061"_qs},
                  {C::CompanyAddress1, u"東京都中央区銀座4-5-6"_qs},
                  {C::BirthDate, u""_qs},
                  {C::Note1, u"一行目 / 二行目の続き"_qs}};
    QTest::newRow("FN when N is empty, SORT-STRING")
        << QByteArray("BEGIN:VCARD\nVERSION:3.0\nN:;;;;\nFN:ニック\nSORT-STRING:にっく\n"
                      "ADR:;;本町1;;;5300001;\nEND:VCARD\n")
        << Fields{{C::Name, u"ニック"_qs},
                  {C::Reading, u"ニック"_qs},
                  {C::PostalCode, u"530-0001"_qs},
                  {C::Address1, u"本町1"_qs}};
    QTest::newRow("home first, other address not work")
        << QByteArray("BEGIN:VCARD\nFN:A\nADR;TYPE=work:;;W;;;;\nADR;TYPE=postal:;;P;;;;\n"
                      "ADR;TYPE=home:;;H;;;;\nEND:VCARD\n")
        << Fields{{C::Address1, u"H"_qs}, {C::CompanyAddress1, u"W"_qs}};
    QTest::newRow("UTF-8 QP, lower-case names, unknown code kept")
        << QByteArray(
               "begin:vcard\nversion:2.1\nn;encoding=quoted-printable;charset=utf-8:=E7=94=B0=\n"
               "=E4=B8=AD;=E4=B8=80\ntel;voice:1\ntel;voice:2\ntel;voice:3\n"
               "adr;home:;;本町;;;12-34;\nend:vcard\n")
        << Fields{{C::Name, u"田中 一"_qs},
                  {C::Phone1, u"1"_qs},
                  {C::Phone2, u"2"_qs},
                  {C::PostalCode, u"12-34"_qs}};
    QTest::newRow("address in Japan in Latin letters")
        << QByteArray("BEGIN:VCARD\nFN:K\nADR;TYPE=home:;;1-2-3 Nakano;Nakano-ku;Tokyo;164-0001;Japan\n"
                      "END:VCARD\n")
        << Fields{{C::PostalCode, u"164-0001"_qs},
                  {C::Address1, u"1-2-3 Nakano"_qs},
                  {C::Address2, u"Nakano-ku Tokyo"_qs}};
    QTest::newRow("Shift_JIS without CHARSET")
        << QByteArray("BEGIN:VCARD\nVERSION:2.1\nN:" + sjis(u"伊藤;誠"_qs) + "\nEND:VCARD\n")
        << Fields{{C::Name, u"伊藤 誠"_qs}};
}

void TestVCard::realCards()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Fields, fields);
    const VCardReader::Result result = VCardReader::read(bytes);
    QCOMPARE(result.skippedCards, 0);
    QCOMPARE(result.skippedValues, 0);
    QCOMPARE(result.records.recordCount(), 1);
    const QStringList record = readOne(bytes);
    QCOMPARE(record.size(), C::TextColumnCount);
    QCOMPARE(record.at(C::EntryNumber), QString());
    for (const auto& [column, value] : fields)
        QCOMPARE(record.at(column) + u"  <"_qs + C::columnTitle(column) + u">"_qs,
                 value + u"  <"_qs + C::columnTitle(column) + u">"_qs);
}

void TestVCard::hostile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("skippedCards");
    QTest::addColumn<int>("skippedValues");
    const QByteArray ok = "BEGIN:VCARD\nFN:ok\nEND:VCARD\n";
    QTest::newRow("empty") << QByteArray() << 0 << 0 << 0;
    QTest::newRow("no card") << QByteArray("FN:x\n foo\n=\n") << 0 << 0 << 0;
    QTest::newRow("value over 1 MB alone in its card, then a sound one")
        << QByteArray("BEGIN:VCARD\nNOTE:" + QByteArray(VCardReader::MaxLineBytes, 'x') +
                      "\nEND:VCARD\n" + ok)
        << 1 << 1 << 1;
    QTest::newRow("value over 1 MB in folded lines")
        << QByteArray("BEGIN:VCARD\nNOTE:x\n" + QByteArray(" yyy\n").repeated(400000) +
                      "END:VCARD\n" + ok)
        << 1 << 1 << 1;
    QTest::newRow("photo over 1 MB: the rest of the card kept")
        << QByteArray("BEGIN:VCARD\nVERSION:3.0\nPHOTO;ENCODING=b;TYPE=JPEG:" +
                      QByteArray(" QUFBQUFB\n").repeated(140000) + "FN:big\nEND:VCARD\n" + ok)
        << 2 << 0 << 1;
    QTest::newRow("byte-order mark before the only card")
        << QByteArray("\xEF\xBB\xBF" + ok) << 1 << 0 << 0;
    QTest::newRow("QP value ending in '=' before END")
        << QByteArray("BEGIN:VCARD\nFN:a\nNOTE;ENCODING=QUOTED-PRINTABLE:x=\nEND:VCARD\n" + ok)
        << 2 << 0 << 0;
    QTest::newRow("never closed") << QByteArray(ok + "BEGIN:VCARD\nFN:lost\n") << 1 << 1 << 0;
    QTest::newRow("empty card") << QByteArray("BEGIN:VCARD\nVERSION:3.0\nEND:VCARD\n" + ok) << 1
                                << 1 << 0;
    QTest::newRow("invalid bytes in a value")
        << QByteArray(
               "BEGIN:VCARD\nFN:ok\nNOTE:\xFF\xFE\xFD\nTITLE;CHARSET=SHIFT_JIS:\x81\nEND:VCARD\n")
        << 1 << 0 << 2;
    QTest::newRow("lines without colon, stray fold, photo")
        << QByteArray(" fold first\nBEGIN:VCARD\nFN:ok\nGARBAGE-LINE\n;;;\n"
                      "PHOTO;BASE64:AAAA\n  AAAA\nEND:VCARD\n")
        << 1 << 0 << 2;
    QTest::newRow("2.1 picture lines not folded")
        << QByteArray(
               "BEGIN:VCARD\nVERSION:2.1\nFN:ok\nPHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQ\n"
               "SkZJRgABAQAAAQABAAD/2wBD\nAAgGBgcGBQgHBwcJCQgKDBQ=\n\nTEL;CELL:1\nEND:VCARD\n")
        << 1 << 0 << 0;
    QTest::newRow("embedded agent card") << QByteArray("BEGIN:VCARD\nFN:ok\nAGENT:\nBEGIN:VCARD\n"
                                                       "FN:inner\nEND:VCARD\nEND:VCARD\n")
                                         << 1 << 0 << 0;
    QTest::newRow("NUL bytes and lone CR")
        << QByteArray("BEGIN:VCARD\nFN:o\0k\r\r\nEND:VCARD", 30) << 1 << 0 << 0;
    QTest::newRow("backslash before a lone CR")
        << QByteArray("BEGIN:VCARD\nFN:a\\\rEND:VCARD\\\rBEGIN:VCARD\nEND:VCARD\n") << 1 << 0 << 0;
    QTest::newRow("100000 cards") << ok.repeated(100000) << 100000 << 0 << 0;
}

void TestVCard::hostile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, records);
    QFETCH(int, skippedCards);
    QFETCH(int, skippedValues);
    const VCardReader::Result result = VCardReader::read(bytes);
    QCOMPARE(result.records.recordCount(), records);
    QCOMPARE(result.skippedCards, skippedCards);
    QCOMPARE(result.skippedValues, skippedValues);
    for (int c = 0; c < C::TextColumnCount; ++c) {
        if (!C::isReservedColumn(c))
            QCOMPARE(result.records.columnSize(c), records);
        for (int r = 0; r < records; ++r) {
            QVERIFY(!result.records.field(r, c).contains(u'\r'));
            QVERIFY(!result.records.field(r, c).contains(u'\n'));
        }
    }
}

// What a card holds beyond what is kept is named with the card in the report.
void TestVCard::reportNamesCards_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("photo over 1 MB")
        << QByteArray("BEGIN:VCARD\nPHOTO;ENCODING=b:" + QByteArray(VCardReader::MaxLineBytes, 'A') +
                      "\nFN:大きな写真\nEND:VCARD\n")
        << u"長すぎて読み込まなかった項目 1件: 大きな写真（PHOTO）"_qs;
    QTest::newRow("note over the field bound")
        << QByteArray("BEGIN:VCARD\nFN:長文\nNOTE:" + QByteArray(5000, 'x') + "\nEND:VCARD\n")
        << u"長すぎて途中までにした項目 1件: 長文（備考 5000文字）"_qs;
    QTest::newRow("third number, second fax")
        << QByteArray("BEGIN:VCARD\nFN:多\nTEL:1\nTEL:2\nTEL:3\nTEL;TYPE=FAX:4\n"
                      "TEL;TYPE=FAX:5\nEND:VCARD\n")
        << u"入りきらなかった項目 2件: 多（電話 3）、多（FAX 5）"_qs;
    QTest::newRow("docomo SOUND with a half-width space")
        << QByteArray("BEGIN:VCARD\nVERSION:2.1\nN:x;y\nSOUND;X-IRMC-N;CHARSET=SHIFT_JIS:" +
                      TextCodec::encode(u"ﾔﾏﾀﾞ ﾀﾛｳ;;;;"_qs) + "\nEND:VCARD\n")
        << QString();
}

void TestVCard::reportNamesCards()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const VCardReader::Result result = VCardReader::read(bytes);
    QCOMPARE(result.records.recordCount(), 1);
    QCOMPARE(result.report.message(), message);
    if (message.isEmpty())
        QCOMPARE(result.records.field(0, C::Reading), u"ヤマダ　タロウ"_qs);
    QVERIFY(result.records.field(0, C::Note1).size() <= ContactFields::MaxFieldChars);
}

void TestVCard::fullWidthKatakana_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("hiragana") << "やまだ　たろう"
                              << "ヤマダ　タロウ";
    QTest::newRow("half-width with marks") << "ｶﾞｯｺｳ ﾊﾟｰﾄ"
                                           << "ガッコウ パート";
    QTest::newRow("already katakana, Latin kept") << "ヴァン ABC"
                                                  << "ヴァン ABC";
    QTest::newRow("iteration marks") << "ゝゞ"
                                     << "ヽヾ";
}

void TestVCard::fullWidthKatakana()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(VCardReader::fullWidthKatakana(in), out);
}

void TestVCard::roundTrip()
{
    CAddressData data;
    QStringList full(C::TextColumnCount);
    const Fields values = {{C::EntryNumber, u"A-1"_qs},
                           {C::Name, u"山田 太郎"_qs},
                           {C::Reading, u"ヤマダ　タロウ"_qs},
                           {C::PostalCode, u"164-0001"_qs},
                           {C::Address1, u"東京都中野区中野1-2-3"_qs},
                           {C::Address2, u"コーポ中野 101, 2階; 奥\\"_qs},
                           {C::Phone1, u"03-1"_qs},
                           {C::Phone2, u"03-2"_qs},
                           {C::Mobile1, u"090-1"_qs},
                           {C::Mobile2, u"090-2"_qs},
                           {C::Fax, u"03-3"_qs},
                           {C::Mail1, u"a@example.jp"_qs},
                           {C::Mail2, u"b@example.jp"_qs},
                           {C::MobileMail1, u"c@docomo.ne.jp"_qs},
                           {C::MobileMail2, u"d@ezweb.ne.jp"_qs},
                           {C::Url, u"https://example.jp/?a=1,b=2"_qs},
                           {C::CompanyPostalCode, u"100-0005"_qs},
                           {C::BirthDate, u"1985/04/07"_qs},
                           {C::Note1, QString(u"長い備考"_qs).repeated(30)},
                           {C::Company, u"株式会社サンプル"_qs},
                           {C::CompanyAddress1, u"東京都千代田区丸の内1-1-1"_qs},
                           {C::CompanyAddress2, u"サンプルビル5F"_qs},
                           {C::Department, u"営業部"_qs},
                           {C::Position, u"課長"_qs},
                           {C::CompanyPhone1, u"03-4"_qs},
                           {C::CompanyPhone2, u"03-5"_qs},
                           {C::CompanyFax, u"03-6"_qs},
                           {C::CompanyMail, u"w@example.co.jp"_qs},
                           {C::CompanyUrl, u"https://example.co.jp"_qs}};
    for (const auto& [column, value] : values)
        full[column] = value;
    data.appendRecord(full);
    // A name without a space, a reading in one piece, a birth date that is no date.
    QStringList second(C::TextColumnCount);
    second[C::Name] = u"株式会社カンマ,セミコロン;"_qs;
    second[C::Reading] = u"カブシキガイシャ"_qs;
    second[C::BirthDate] = u"昭和60年"_qs;
    data.appendRecord(second);
    QStringList third(C::TextColumnCount);
    third[C::Phone1] = u"only a phone"_qs;
    data.appendRecord(third);

    const QByteArray bytes = VCardWriter::write(data, {0, 1, 2, 7, -1});
    const VCardReader::Result result = VCardReader::read(bytes);
    QCOMPARE(result.skippedCards, 0);
    QCOMPARE(result.skippedValues, 0);
    QCOMPARE(result.records.recordCount(), 3);
    for (int r = 0; r < 3; ++r) {
        for (int c = 1; c < C::TextColumnCount; ++c) {
            // Only the columns a card has a place for travel.
            if (c == C::Address3 || c == C::CompanyAddress3 || c == C::Honorific ||
                c == C::Relation || (c >= C::JointName1 && c < C::Phone1) || c == C::Sex ||
                c == C::Age || c == C::Note2 || c == C::Picture)
                continue;
            QCOMPARE(result.records.field(r, c) + u" <"_qs + QString::number(c) + u">"_qs,
                     data.field(r, c) + u" <"_qs + QString::number(c) + u">"_qs);
        }
    }
}

void TestVCard::foldedAndWritten()
{
    CAddressData data;
    QStringList record(C::TextColumnCount);
    record[C::Name] = QString(u"あ"_qs).repeated(100) + QString(u"😀"_qs).repeated(30);
    data.appendRecord(record);
    const QByteArray bytes = VCardWriter::write(data, {0});
    QVERIFY(bytes.startsWith("BEGIN:VCARD\r\nVERSION:4.0\r\n"));
    QVERIFY(bytes.endsWith("END:VCARD\r\n"));
    for (const QByteArray& line : bytes.split('\n')) {
        QVERIFY2(line.size() <= 76, line.constData()); // 75 and the CR
        QVERIFY(!QString::fromUtf8(line).contains(QChar::ReplacementCharacter));
    }
    QCOMPARE(readOne(bytes).at(C::Name), record.at(C::Name));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"out.vcf"_qs);
    QCOMPARE(VCardWriter::writeFile(path, data, {0}), QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QVERIFY(!VCardWriter::writeFile(dir.filePath(u"no/such/dir.vcf"_qs), data, {0}).isEmpty());
}

void TestVCard::readFileErrors()
{
    QTemporaryDir dir;
    QCOMPARE(VCardReader::readFile(dir.filePath(u"missing.vcf"_qs)).error,
             u"エラーが発生しました。"_qs);
    QCOMPARE(VCardReader::readFile(dir.path()).error, u"エラーが発生しました。"_qs);
    QFile file(dir.filePath(u"empty.vcf"_qs));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a card\n");
    file.close();
    QCOMPARE(VCardReader::readFile(file.fileName()).error, u"vCardが見つかりませんでした。"_qs);
}

// The CSV readers' bounds: too large or zero-filled (sparse, cut by a crash) is refused
// unread, with why; a hole after the cards is no card and no refusal.
void TestVCard::readFileRefusals_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("cards");
    const QByteArray card("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:山田 太郎\r\nEND:VCARD\r\n");
    const QString notText = u"テキストファイルではありません。ファイルの先頭が0のバイトで埋まっています"
                            "（中身のないファイルか、書き込みの途中で止まったファイルかもしれません）。"_qs;
    const qint64 bound = AddressCsvImport::MaxFileBytes;
    QTest::newRow("3 GB sparse") << QByteArray() << (qint64(3) << 30)
                                 << u"ファイルが大きすぎます（3,072 MB）。読み込めるのは512 MBまでです。"_qs
                                 << 0;
    QTest::newRow("a card and a hole over 512 MB")
        << card << bound + 1
        << u"ファイルが大きすぎます（513 MB）。読み込めるのは512 MBまでです。"_qs << 0;
    QTest::newRow("512 MB sparse") << QByteArray() << bound << notText << 0;
    QTest::newRow("zeros a crash leaves") << QByteArray() << qint64(card.size()) << notText << 0;
    QTest::newRow("a card then a hole") << card << qint64(8192) << QString() << 1;
}

void TestVCard::readFileRefusals()
{
    QFETCH(QByteArray, head);
    QFETCH(qint64, size);
    QFETCH(QString, error);
    QFETCH(int, cards);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"contacts.vcf"_qs);
    QVERIFY(writeSparseFile(path, head, size));
    const VCardReader::Result result = VCardReader::readFile(path);
    QCOMPARE(result.error, error);
    QCOMPARE(result.records.recordCount(), cards);
}

void TestVCard::batch_data()
{
    QTest::addColumn<QStringList>("options"); // "IN" and "OUT" stand for the files
    QTest::addColumn<int>("exitCode");        // 2 for a command line refused
    QTest::addColumn<int>("group");           // where the cards went, or -1
    QTest::addColumn<QString>("message");     // a piece of standard error
    const QStringList in{u"--import-vcard"_qs, u"IN"_qs, u"--save-addressbook"_qs, u"OUT"_qs};
    QTest::newRow("tab caption") << in + QStringList{u"--group"_qs, u"か"_qs} << 0 << 1
                                 << u"読み込めなかったvCard 1件と項目 0件"_qs;
    QTest::newRow("number") << in + QStringList{u"--group"_qs, u"19"_qs} << 0 << 19
                            << u"vCard 1件"_qs;
    QTest::newRow("row name") << in + QStringList{u"--group"_qs, u"あ行"_qs} << 0 << 0
                              << u"vCard 1件"_qs;
    QTest::newRow("unknown group")
        << in + QStringList{u"--group"_qs, u"20"_qs} << 1 << -1 << u"グループ「20」はありません"_qs;
    QTest::newRow("no group") << in << 2 << -1 << u"--group"_qs;
    QTest::newRow("export without file")
        << QStringList{u"--export-vcard"_qs, u"あ"_qs} << 2 << -1 << u"--export-vcard"_qs;
}

// orinote-batch appends a file's cards to a named group and writes a group out again.
void TestVCard::batch()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(int, group);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString in = dir.filePath(u"in.vcf"_qs);
    const QString out = dir.filePath(u"out.ona"_qs);
    QFile file(in);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(kIPhone) + kGoogle + "BEGIN:VCARD\nEND:VCARD\n");
    file.close();
    options.replaceInStrings(u"IN"_qs, in);
    options.replaceInStrings(u"OUT"_qs, out);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    process.setProcessEnvironment(env);
    const QStringList common{u"--profile"_qs, dir.filePath(u"batch.ini"_qs), u"--data-folder"_qs,
                             dir.path()};
    process.start(QStringLiteral(ORINOTE_BATCH), common + options);
    QVERIFY(process.waitForFinished(20000));
    const QString error = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(process.exitCode() == exitCode,
             qPrintable(QStringLiteral("exit %1: %2").arg(process.exitCode()).arg(error)));
    QVERIFY2(message.isEmpty() ? error.isEmpty() : error.contains(message), qPrintable(error));
    if (group < 0)
        return;
    AddressBook book;
    QCOMPARE(book.loadFile(out), QString());
    QCOMPARE(book.group(group).recordCount(), 2);
    QCOMPARE(book.group(group).field(0, C::EntryNumber), AddressBook::entryPrefix(group) + u"1"_qs);
    QCOMPARE(book.group(group).field(1, C::EntryNumber), AddressBook::entryPrefix(group) + u"2"_qs);
    QCOMPARE(book.group(group).field(1, C::Reading), u"サトウ　ジロウ"_qs);

    // The group out again, read back as the same records.
    const QString vcf = dir.filePath(u"back.vcf"_qs);
    process.start(QStringLiteral(ORINOTE_BATCH),
                  common + QStringList{u"--addressbook"_qs, out, u"--export-vcard"_qs,
                                       QString::number(group), vcf});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 0);
    const VCardReader::Result back = VCardReader::readFile(vcf);
    QCOMPARE(back.records.recordCount(), 2);
    for (int r = 0; r < 2; ++r) {
        for (int c : {C::Name, C::Reading, C::PostalCode, C::Address1, C::Mobile1, C::Mail1,
                      C::Company, C::Url, C::BirthDate, C::Note1})
            QCOMPARE(back.records.field(r, c), book.group(group).field(r, c));
    }
}

QTEST_GUILESS_MAIN(TestVCard)
#include "tst_vcard.moc"
