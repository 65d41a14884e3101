#include "base/TextCodec.h"

#include <QTest>

#include <iconv.h>

class TestTextCodec : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void decodesDamagedBytes_data();
    void decodesDamagedBytes();
    void prefixNeverCutsCharacters_data();
    void prefixNeverCutsCharacters();
    void comparesInByteOrder();
    void tablesMatchIconvCharacterByCharacter();
};

void TestTextCodec::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("lossless");
    QTest::addColumn<QString>("decoded"); // when the bytes decode to another code point

    QTest::newRow("ascii") << u"ABC-123"_qs << QByteArray("ABC-123") << true << QString();
    QTest::newRow("kanji") << u"山田太郎"_qs << QByteArray("\x8E\x52\x93\x63\x91\xBE\x98\x59")
                           << true << QString();
    QTest::newRow("half-width kana") << u"ｱｲｳ"_qs << QByteArray("\xB1\xB2\xB3") << true << QString();
    // The characters Qt's own encoder refuses: wave dash, minus, yen, overline.
    QTest::newRow("wave dash") << u"\u301C"_qs << QByteArray("\x81\x60") << true
                               << u"\uFF5E"_qs;
    QTest::newRow("minus sign") << u"\u2212"_qs << QByteArray("\x81\x7C") << true
                                << u"\uFF0D"_qs;
    QTest::newRow("full-width tilde") << u"\uFF5E"_qs << QByteArray("\x81\x60") << true << QString();
    QTest::newRow("NEC circled one") << u"\u2460"_qs << QByteArray("\x87\x40") << true << QString();
    QTest::newRow("postal mark") << u"〒"_qs << QByteArray("\x81\xA7") << true << QString();
    QTest::newRow("outside CP932") << u"𠮷田"_qs << QByteArray("??\x93\x63") << false << QString();
    QTest::newRow("hangul") << u"한"_qs << QByteArray("?") << false << QString();
}

void TestTextCodec::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, lossless);

    bool ok = !lossless;
    QCOMPARE(TextCodec::encode(text, &ok), bytes);
    QCOMPARE(ok, lossless);
    QCOMPARE(TextCodec::isEncodable(text), lossless);
    QCOMPARE(TextCodec::byteLength(text), bytes.size());
    QFETCH(QString, decoded);
    if (lossless)
        QCOMPARE(TextCodec::decode(bytes), decoded.isNull() ? text : decoded);
}

void TestTextCodec::decodesDamagedBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("lone lead byte at end") << QByteArray("A\x82") << u"A\uFFFD"_qs;
    QTest::newRow("lead byte with bad trail") << QByteArray("\x82\x20Z") << u"\uFFFD Z"_qs;
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("embedded zero") << QByteArray("a\0b", 3) << QString(u"a\0b"_qs);
}

void TestTextCodec::decodesDamagedBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TextCodec::decode(bytes), text);
}

void TestTextCodec::prefixNeverCutsCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<int>("expected");

    QTest::newRow("ascii fits") << u"abc"_qs << 3 << 3;
    QTest::newRow("ascii cut") << u"abc"_qs << 2 << 2;
    QTest::newRow("kanji whole") << u"東京都"_qs << 4 << 2;
    QTest::newRow("kanji not halved") << u"東京都"_qs << 5 << 2;
    QTest::newRow("mixed") << u"a東b"_qs << 2 << 1;
    QTest::newRow("mixed all") << u"a東b"_qs << 4 << 3;
    QTest::newRow("half-width kana is one byte") << u"ｱｲ"_qs << 1 << 1;
    QTest::newRow("surrogate pair kept whole") << u"𠮷a"_qs << 1 << 0;
    QTest::newRow("surrogate pair fits") << u"𠮷a"_qs << 2 << 2;
    QTest::newRow("zero") << u"東"_qs << 0 << 0;
}

void TestTextCodec::prefixNeverCutsCharacters()
{
    QFETCH(QString, text);
    QFETCH(int, maxBytes);
    QFETCH(int, expected);
    QCOMPARE(TextCodec::prefixLengthForBytes(text, maxBytes), expected);
}

void TestTextCodec::comparesInByteOrder()
{
    // Byte order: ASCII, then lead bytes 0x81.., with half-width kana (0xA1..0xDF)
    // between the two lead-byte ranges; within kana the JIS order (あ before ア).
    QVERIFY(TextCodec::compare(u"Z"_qs, u"ｱ"_qs) < 0);
    QVERIFY(TextCodec::compare(u"ｱ"_qs, u"あ"_qs) > 0); // 0xB1 > 0x82
    QVERIFY(TextCodec::compare(u"あ"_qs, u"ア"_qs) < 0);
    QVERIFY(TextCodec::compare(u"あい"_qs, u"あ"_qs) > 0);
    QCOMPARE(TextCodec::compare(u"同じ"_qs, u"同じ"_qs), 0);
}


// The tables are filled from iconv a row at a time; they must say what iconv says of
// every character on its own.
void TestTextCodec::tablesMatchIconvCharacterByCharacter()
{
    iconv_t dec = iconv_open("UTF-16LE", "CP932");
    iconv_t enc = iconv_open("CP932", "UTF-16LE");
    QVERIFY(dec != iconv_t(-1) && enc != iconv_t(-1));
    const auto convert = [](iconv_t cd, QByteArray in) {
        QByteArray out(16, 0);
        char* inPtr = in.data();
        char* outPtr = out.data();
        size_t inLeft = size_t(in.size());
        size_t outLeft = size_t(out.size());
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0)
            return QByteArray();
        return out.left(out.size() - int(outLeft));
    };
    int pairs = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!convert(dec, QByteArray(1, char(lead))).isEmpty())
            continue; // a single-byte character, not a lead byte
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            QByteArray pair(2, char(lead));
            pair[1] = char(trail);
            const QByteArray utf16 = convert(dec, pair);
            const QString decoded = TextCodec::decode(pair);
            if (utf16.size() == 2) {
                ++pairs;
                QCOMPARE(decoded, QString(QChar(char16_t(quint8(utf16[0]) | quint8(utf16[1]) << 8))));
            } else {
                QCOMPARE(decoded.left(1), QString(QChar(0xFFFD)));
            }
        }
    }
    QVERIFY(pairs > 7000);
    for (int u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const QString unit = QString(QChar(char16_t(u)));
        const QByteArray expected =
            convert(enc, QByteArray(reinterpret_cast<const char*>(unit.utf16()), 2));
        bool lossless = false;
        const QByteArray bytes = TextCodec::encode(unit, &lossless);
        if (expected.size() == 1 || expected.size() == 2) {
            QVERIFY2(lossless && bytes == expected, qPrintable(QString::number(u, 16)));
        } else {
            QVERIFY2(!lossless && bytes == "?", qPrintable(QString::number(u, 16)));
        }
    }
    iconv_close(dec);
    iconv_close(enc);
}

QTEST_APPLESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
