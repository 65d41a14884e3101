// The customer barcode: the address number of Japan Post's published examples, the
// characters, the check character and the bars libzint draws for them.

#include "postal/AddressNumber.h"
#include "postal/CustomerBarcode.h"
#include "postal/PostalData.h"
#include "postal/PostalTable.h"

#include <QTest>

class TestBarcode : public QObject
{
    Q_OBJECT

private slots:
    void kanjiNumbers_data();
    void kanjiNumbers();
    void publishedExamples_data();
    void publishedExamples();
    void charactersAndCheck_data();
    void charactersAndCheck();
    void barsDecodeToTheCharacters_data();
    void barsDecodeToTheCharacters();
    void noBarcode_data();
    void noBarcode();
};

void TestBarcode::kanjiNumbers_data()
{
    QTest::addColumn<QString>("kanji");
    QTest::addColumn<int>("value");
    QTest::newRow("one") << u"一"_qs << 1;
    QTest::newRow("ten") << u"十"_qs << 10;
    QTest::newRow("eleven") << u"十一"_qs << 11;
    QTest::newRow("twenty-one") << u"二十一"_qs << 21;
    QTest::newRow("hundred and one") << u"百一"_qs << 101;
    QTest::newRow("positional") << u"三〇五"_qs << 305;
    QTest::newRow("thousands") << u"千二百三十四"_qs << 1234;
    QTest::newRow("two digits before a unit") << u"二三十"_qs << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestBarcode::kanjiNumbers()
{
    QFETCH(QString, kanji);
    QFETCH(int, value);
    QCOMPARE(AddressNumber::kanjiValue(kanji), value);
}

void TestBarcode::publishedExamples_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("content");

    // The examples of the barcode manual (郵便番号・バーコードマニュアル).
    QTest::newRow("丁目 and a room") << u"263-0023"_qs << u"千葉県千葉市稲毛区緑町3丁目30-8 郵便ビル403号"_qs
                                  << u"26300233-30-8-403"_qs;
    QTest::newRow("no town number") << u"014-0113"_qs << u"秋田県大仙市堀見内 南田茂木 添60-1"_qs
                                 << u"014011360-1"_qs;
    QTest::newRow("letters and a floor") << u"110-0016"_qs << u"東京都台東区台東5-6-3 ABCビル10F"_qs
                                      << u"11000165-6-3-10"_qs;
    QTest::newRow("号館") << u"060-0906"_qs << u"北海道札幌市東区北六条東4丁目 郵便センター6号館"_qs
                        << u"06009064-6"_qs;
    QTest::newRow("a number after the district") << u"407-0033"_qs
                                                  << u"山梨県韮崎市龍岡町下條南割 韮崎400"_qs
                                                  << u"4070033400"_qs;
    QTest::newRow("&, a small letter, a single letter")
        << u"273-0102"_qs << u"千葉県鎌ケ谷市右京塚 東3丁目-20-5 郵便・A&bコーポB604号"_qs
        << u"27301023-20-5B604"_qs;
    QTest::newRow("kanji numerals") << u"198-0036"_qs
                                    << u"東京都青梅市河辺町十一丁目六番地一号 郵便タワー601"_qs
                                    << u"198003611-6-1-601"_qs;
    QTest::newRow("地割") << u"027-0203"_qs << u"岩手県宮古市大字津軽石第二十一地割大淀５番地"_qs
                        << u"027020321-5"_qs;
    QTest::newRow("丁 without 目") << u"590-0016"_qs << u"大阪府堺市堺区中田出井町四丁六番十九号"_qs
                                  << u"59000164-6-19"_qs;
    QTest::newRow("線") << u"080-0831"_qs << u"北海道帯広市稲田町南七線 西28"_qs
                       << u"08008317-28"_qs;
    QTest::newRow("2F") << u"317-0055"_qs << u"茨城県日立市宮田町6丁目7-14 ABCビル2F"_qs
                        << u"31700556-7-14-2"_qs;
    QTest::newRow("letters around hyphens") << u"910-0067"_qs
                                            << u"福井県福井市新田塚3丁目80-25 J1ビル2-B"_qs
                                            << u"91000673-80-25J1-2B"_qs;
    QTest::newRow("long") << u"064-0804"_qs
                          << u"北海道札幌市中央区南四条西29丁目1524-23 第2郵便ハウス501"_qs
                          << u"064080429-1524-23-2-501"_qs;
    QTest::newRow("full-width digits and dashes") << u"100-0013"_qs
                                                  << u"東京都千代田区霞が関１－３－２　郵便プラザ５０３室"_qs
                                                  << u"10000131-3-2-503"_qs;
}

void TestBarcode::publishedExamples()
{
    QFETCH(QString, code);
    QFETCH(QString, address);
    QFETCH(QString, content);
    const PostalTable& table = PostalData::table();
    if (!table.isLoaded())
        QSKIP("no postal code table");
    const CustomerBarcode::Content c = CustomerBarcode::content(code, address, &table);
    QCOMPARE(c.error, QString());
    QCOMPARE(c.text, content);
}

void TestBarcode::charactersAndCheck_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("characters"); // the 20 and the check character
    // The manual's first example: check character 9.
    QTest::newRow("padded with CC4") << u"10000131-3-2-503"_qs
                                     << u"1 0 0 0 0 1 3 1 - 3 - 2 - 5 0 3 CC4 CC4 CC4 CC4 | 9"_qs;
    QTest::newRow("cut at 20") << u"064080429-1524-23-2-501"_qs
                               << u"0 6 4 0 8 0 4 2 9 - 1 5 2 4 - 2 3 - 2 - | 3"_qs;
    QTest::newRow("a control code on the 20th place")
        << u"91000673-80-25J1-2B"_qs
        << u"9 1 0 0 0 6 7 3 - 8 0 - 2 5 CC1 9 1 - 2 CC1 | 9"_qs;
    QTest::newRow("letters of each control code") << u"1000013A-K-U"_qs
                                                  << u"1 0 0 0 0 1 3 CC1 0 - CC2 0 - CC3 0 CC4 CC4 CC4 CC4 CC4 | 2"_qs;
}

void TestBarcode::charactersAndCheck()
{
    QFETCH(QString, content);
    QFETCH(QString, characters);
    const QList<int> values = CustomerBarcode::characters(content);
    QCOMPARE(values.size(), CustomerBarcode::Characters);
    QStringList texts;
    for (int v : values)
        texts.append(CustomerBarcode::characterText(v));
    const int check = CustomerBarcode::checkCharacter(values);
    QCOMPARE(texts.join(u' ') + u" | "_qs + QString::number(check), characters);
    int sum = check;
    for (int v : values)
        sum += v;
    QCOMPARE(sum % 19, 0);
}

void TestBarcode::barsDecodeToTheCharacters_data()
{
    QTest::addColumn<QString>("content");
    QTest::newRow("digits") << u"26300233-30-8-403"_qs;
    QTest::newRow("letters") << u"27301023-20-5B604"_qs;
    QTest::newRow("cut") << u"064080429-1524-23-2-501"_qs;
    QTest::newRow("control code cut") << u"91000673-80-25J1-2B"_qs;
    QTest::newRow("every letter group") << u"1000013A-K-U-Z"_qs;
}

// What libzint draws reads back as the characters and the check character above.
void TestBarcode::barsDecodeToTheCharacters()
{
    QFETCH(QString, content);
    QString error;
    const QList<CustomerBarcode::Bar> bars = CustomerBarcode::bars(content, &error);
    QCOMPARE(error, QString());
    QCOMPARE(bars.size(), CustomerBarcode::BarCount);
    QList<int> want = CustomerBarcode::characters(content);
    want.append(CustomerBarcode::checkCharacter(want));
    QCOMPARE(CustomerBarcode::decode(bars), want);
    // libzint and the manual's table agree.
    QCOMPARE(CustomerBarcode::barsOf(CustomerBarcode::characters(content)), bars);
}

void TestBarcode::noBarcode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("error");
    QTest::newRow("incomplete code") << u"100-001"_qs << u"NNN-NNNN"_qs;
    QTest::newRow("no code") << QString() << u"NNN-NNNN"_qs;
    QTest::newRow("representative code") << u"100-0000"_qs << u"代表"_qs;
}

void TestBarcode::noBarcode()
{
    QFETCH(QString, code);
    QFETCH(QString, error);
    const PostalTable& table = PostalData::table();
    if (!table.isLoaded() && error == u"代表"_qs)
        QSKIP("no postal code table");
    const CustomerBarcode::Content c =
        CustomerBarcode::content(code, u"東京都千代田区千代田1-1"_qs, &table);
    QVERIFY(c.text.isEmpty());
    QVERIFY2(c.error.contains(error), qPrintable(c.error));
}

QTEST_GUILESS_MAIN(TestBarcode)
#include "tst_barcode.moc"
