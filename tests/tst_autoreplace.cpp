// Auto-replace rules: text search, the numeric test, not-found texts, colours and
// pictures, the order of rules, and the rules file.

#include "base/ArchiveReader.h"
#include "base/ArchiveWriter.h"
#include "base/TextCodec.h"
#include "merge/AutoReplacer.h"
#include "model/AutoReplaceRule.h"
#include "model/CAutoReplaceData.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/PageBuilder.h"
#include "model/TextMeasurer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <unistd.h>

Q_DECLARE_METATYPE(AutoReplaceRule)
Q_DECLARE_METATYPE(Rect)

namespace {

constexpr int kRed = 0x0000FF;
constexpr int kYellow = 0x00FFFF;
constexpr int kUnchanged = -1; // the background was not given: backColorOff stays 1

class FixedAdvanceMeasurer : public TextMeasurer
{
public:
    int textExtent(const QString& text, const FontRecord&, int crossSize) const override
    {
        return TextCodec::byteLength(text) * crossSize / 2;
    }
};

// A template of `sheets` sheets with the given region attributes, `pages` data-mode
// pages, every data-mode region's text set as if merged.
struct Fixture
{
    MemoryProfile profile;
    std::unique_ptr<CORINOTEDoc> doc = std::make_unique<CORINOTEDoc>(&profile);

    Fixture(int sheets, const QStringList& attributes, int pages = 1)
    {
        CLabelSheetTemplate& t = doc->labelTemplate();
        for (int s = 0; s < sheets; ++s) {
            Sheet sheet;
            sheet.rect = Rect{s * 500, 0, s * 500 + 500, -1000};
            t.sheets.append(sheet);
        }
        for (const QString& a : attributes) {
            TextRect r;
            r.attribute = a;
            r.rect = Rect{10, -10, 410, -110};
            r.font = FontRecord::make(QStringLiteral("ＭＳ 明朝"), -100, 0);
            t.regions.append(r);
        }
        doc->environment() = EnvironmentSettings();
        PageBuilder::buildPageOne(*doc);
        const int perPage = doc->textRects().size();
        for (int p = 1; p < pages; ++p) {
            for (int i = 0; i < perPage; ++i)
                doc->textRects().append(doc->textRects().at(i));
        }
    }
    void setTexts(const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            doc->textRects().setText(i, texts.at(i));
    }
    QStringList texts() const
    {
        QStringList all;
        for (int i = 0; i < doc->textRects().size(); ++i)
            all.append(doc->textRects().text(i));
        return all;
    }
    void apply(const CAutoReplaceData& rules, const TextMeasurer* measurer = nullptr)
    {
        AutoReplacer::apply(rules, *doc, measurer);
    }
};

AutoReplaceRule makeRule(const QString& attribute, const QString& search,
                         const QString& replacement = AutoReplaceRule::keep())
{
    AutoReplaceRule r;
    r.attribute = attribute;
    r.search = search;
    r.replacement = replacement;
    return r;
}

AutoReplaceRule withBack(AutoReplaceRule r, int color = kYellow)
{
    r.backColor = color;
    r.keepBackColor = 0;
    return r;
}

AutoReplaceRule withBounds(AutoReplaceRule r, const QString& low, const QString& high)
{
    r.atLeast = low;
    r.atMost = high;
    return r;
}

AutoReplaceRule withNotFound(AutoReplaceRule r, const QString& text)
{
    r.notFound = text;
    return r;
}

QByteArray le16(quint16 v)
{
    const char b[2] = {char(v & 0xFF), char(v >> 8)};
    return QByteArray(b, 2);
}

QByteArray le32(quint32 v)
{
    return le16(quint16(v & 0xFFFF)) + le16(quint16(v >> 16));
}

QByteArray shortString(const QByteArray& cp932)
{
    return QByteArray(1, char(cp932.size())) + cp932;
}

QByteArray bytesOf(const CAutoReplaceData& rules)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ArchiveWriter out(&buffer);
    rules.write(out);
    out.finish();
    return bytes;
}

bool readBytes(const QByteArray& bytes, CAutoReplaceData& rules)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    ArchiveReader in(&buffer);
    return rules.read(in);
}

CAutoReplaceData sampleRules()
{
    CAutoReplaceData rules;
    rules.append(withBack(
        makeRule(QStringLiteral("敬称(R)"), QStringLiteral("様;殿"), QStringLiteral("御中"))));
    AutoReplaceRule age = withBounds(makeRule(QStringLiteral("年齢(R)"), QStringLiteral("歳")),
                                     QStringLiteral("20"), QStringLiteral("29"));
    age.enabled = 0;
    age.notFound = QStringLiteral("対象外");
    age.textColor = kRed;
    age.keepTextColor = 0;
    age.backPicture = QStringLiteral("/home/user/𠮷.png");
    rules.append(age);
    return rules;
}

} // namespace

class TestAutoReplace : public QObject
{
    Q_OBJECT
private slots:
    void apply_data();
    void apply();
    void rulesApplyInListOrder_data();
    void rulesApplyInListOrder();
    void everyCopyOfTheRegion();
    void fitsChangedText_data();
    void fitsChangedText();
    void isNumeric_data();
    void isNumeric();
    void boundValue_data();
    void boundValue();

    void fileBytes();
    void fileRoundTrip();
    void truncatedFileKeepsWholeRules_data();
    void truncatedFileKeepsWholeRules();
    void missingFileIsEmpty();
    void failedSaveIsReportedAndKeepsTheOldFile();
    void saveReplacesALongerFile();
};

void TestAutoReplace::apply_data()
{
    QTest::addColumn<AutoReplaceRule>("rule");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<int>>("textColors");
    QTest::addColumn<QList<int>>("backColors");

    const QString honorific = QStringLiteral("敬称(R)");
    const QString age = QStringLiteral("年齢(R)");
    const QList<int> black5(5, 0);
    const QList<int> none5(5, kUnchanged);

    QTest::newRow("様;殿 become 御中")
        << makeRule(honorific, QStringLiteral("様;殿"), QStringLiteral("御中"))
        << QStringList{u"様"_qs, u"殿"_qs, u"様様"_qs, u"先生"_qs, u"殿様"_qs}
        << QStringList{u"御中"_qs, u"御中"_qs, u"御中御中"_qs, u"先生"_qs, u"御中御中"_qs} << black5
        << none5;

    AutoReplaceRule red = makeRule(honorific, QStringLiteral("様"));
    red.textColor = kRed;
    red.keepTextColor = 0;
    QTest::newRow("found text keeps its words and turns red")
        << red << QStringList{u"様"_qs, u"先生"_qs, u"御中"_qs, u"様方"_qs, QString()}
        << QStringList{u"様"_qs, u"先生"_qs, u"御中"_qs, u"様方"_qs, QString()}
        << QList<int>{kRed, 0, 0, kRed, 0} << none5;

    QTest::newRow("ages 20 to 29 get the background, others the not-found text")
        << withNotFound(withBack(withBounds(makeRule(age, QStringLiteral("歳")),
                                            QStringLiteral("20"), QStringLiteral("29"))),
                        QStringLiteral("対象外"))
        << QStringList{u"20"_qs, u"25"_qs, u"29"_qs, u"35"_qs, QString()}
        << QStringList{u"20"_qs, u"25"_qs, u"29"_qs, u"対象外"_qs, QString()} << black5
        << QList<int>{kYellow, kYellow, kYellow, kUnchanged, kUnchanged};

    QTest::newRow("a digit token matches by text whatever the number")
        << withBack(withBounds(makeRule(age, QStringLiteral("2")), QStringLiteral("20"),
                               QStringLiteral("29")))
        << QStringList{u"42"_qs, u"35"_qs, u"22"_qs, u"19"_qs, u"27"_qs}
        << QStringList{u"42"_qs, u"35"_qs, u"22"_qs, u"19"_qs, u"27"_qs} << black5
        << QList<int>{kYellow, kUnchanged, kYellow, kUnchanged, kYellow};

    QTest::newRow("only a lower bound")
        << withBack(
               withBounds(makeRule(age, QStringLiteral("歳")), QStringLiteral("30"), QString()))
        << QStringList{u"35"_qs, u"25"_qs, u"30"_qs, u"29.99"_qs, u"100"_qs}
        << QStringList{u"35"_qs, u"25"_qs, u"30"_qs, u"29.99"_qs, u"100"_qs} << black5
        << QList<int>{kYellow, kUnchanged, kYellow, kUnchanged, kYellow};

    QTest::newRow("only an upper bound, decimals")
        << withBack(
               withBounds(makeRule(age, QStringLiteral("歳")), QString(), QStringLiteral("10")))
        << QStringList{u"7"_qs, u"10.5"_qs, u"1.5"_qs, u"10"_qs, u".5"_qs}
        << QStringList{u"7"_qs, u"10.5"_qs, u"1.5"_qs, u"10"_qs, u".5"_qs} << black5
        << QList<int>{kYellow, kUnchanged, kYellow, kYellow, kYellow};

    QTest::newRow("no bound: no numeric test")
        << withBack(makeRule(age, QStringLiteral("歳")))
        << QStringList{u"25"_qs, u"0"_qs, u"25歳"_qs, u"1"_qs, u"2"_qs}
        << QStringList{u"25"_qs, u"0"_qs, u"25歳"_qs, u"1"_qs, u"2"_qs} << black5
        << QList<int>{kUnchanged, kUnchanged, kYellow, kUnchanged, kUnchanged};

    QTest::newRow("texts that are not numbers skip the bounds")
        << withBack(withBounds(makeRule(age, QStringLiteral("歳")), QStringLiteral("0"),
                               QStringLiteral("100")))
        << QStringList{u"12a"_qs, u"1.2.3"_qs, u"."_qs, u"-5"_qs, u"１２"_qs}
        << QStringList{u"12a"_qs, u"1.2.3"_qs, u"."_qs, u"-5"_qs, u"１２"_qs} << black5 << none5;

    // Bounds without a search string: a number inside them applies nothing (there is no
    // token) but is not "not found" either.
    QTest::newRow("bounds without search: only numbers outside get the not-found text")
        << withNotFound(withBack(withBounds(makeRule(age, QString()), QStringLiteral("20"),
                                            QStringLiteral("29"))),
                        QStringLiteral("対象外"))
        << QStringList{u"25"_qs, u"35"_qs, u"abc"_qs, QString(), u"20"_qs}
        << QStringList{u"25"_qs, u"対象外"_qs, u"対象外"_qs, QString(), u"20"_qs} << black5
        << none5;

    QTest::newRow("not-found text そのまま leaves the text")
        << makeRule(honorific, QStringLiteral("様"), QStringLiteral("御中"))
        << QStringList{u"殿"_qs, u"様"_qs, QString(), u"先生"_qs, u"御中"_qs}
        << QStringList{u"殿"_qs, u"御中"_qs, QString(), u"先生"_qs, u"御中"_qs} << black5 << none5;

    QTest::newRow("not found by text, empty text stays empty")
        << withNotFound(makeRule(honorific, QStringLiteral("様")), QStringLiteral("各位"))
        << QStringList{u"殿"_qs, u"様"_qs, QString(), u"先生"_qs, u"様方"_qs}
        << QStringList{u"各位"_qs, u"様"_qs, QString(), u"各位"_qs, u"様方"_qs} << black5 << none5;

    AutoReplaceRule disabled = withBack(makeRule(honorific, QStringLiteral("様"), u"御中"_qs));
    disabled.enabled = 0;
    QTest::newRow("a disabled rule changes nothing")
        << disabled << QStringList{u"様"_qs, u"殿"_qs, QString(), u"様"_qs, u"様"_qs}
        << QStringList{u"様"_qs, u"殿"_qs, QString(), u"様"_qs, u"様"_qs} << black5 << none5;

    QTest::newRow("rule for an attribute no region has")
        << makeRule(QStringLiteral("氏名(R)"), QStringLiteral("様"), u"御中"_qs)
        << QStringList{u"様"_qs, u"様"_qs, u"様"_qs, u"様"_qs, u"様"_qs}
        << QStringList{u"様"_qs, u"様"_qs, u"様"_qs, u"様"_qs, u"様"_qs} << black5 << none5;

    // An empty token (a trailing ";") is contained in every text, the empty one too.
    QTest::newRow("empty token matches every text but replaces nothing")
        << withBack(makeRule(honorific, QStringLiteral("様;"), u"X"_qs))
        << QStringList{u"様"_qs, u"先生"_qs, QString(), u"殿"_qs, u"abc"_qs}
        << QStringList{u"X"_qs, u"先生"_qs, QString(), u"殿"_qs, u"abc"_qs} << black5
        << QList<int>(5, kYellow);
}

void TestAutoReplace::apply()
{
    QFETCH(AutoReplaceRule, rule);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, expected);
    QFETCH(QList<int>, textColors);
    QFETCH(QList<int>, backColors);

    Fixture f(texts.size(), {rule.attribute == QStringLiteral("氏名(R)") ? QStringLiteral("敬称(R)")
                                                                         : rule.attribute});
    f.setTexts(texts);
    CAutoReplaceData rules;
    rules.append(rule);
    f.apply(rules);

    QCOMPARE(f.texts(), expected);
    for (int i = 0; i < texts.size(); ++i) {
        QCOMPARE(f.doc->textRects().textColor(i), textColors.at(i));
        if (backColors.at(i) == kUnchanged) {
            QCOMPARE(f.doc->textRects().backColorOff(i), 1);
            QCOMPARE(f.doc->textRects().backColor(i), 0xFFFFFF);
        } else {
            QCOMPARE(f.doc->textRects().backColorOff(i), 0);
            QCOMPARE(f.doc->textRects().backColor(i), backColors.at(i));
        }
    }
}

void TestAutoReplace::rulesApplyInListOrder_data()
{
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QString>("expected");
    // 様 → 殿, then 殿 → 御中: the second rule sees the text the first one left.
    QTest::newRow("in order") << false << QStringLiteral("御中");
    QTest::newRow("reversed") << true << QStringLiteral("殿");
}

void TestAutoReplace::rulesApplyInListOrder()
{
    QFETCH(bool, reversed);
    QFETCH(QString, expected);
    const AutoReplaceRule first = makeRule(u"敬称(R)"_qs, u"様"_qs, u"殿"_qs);
    const AutoReplaceRule second = makeRule(u"敬称(R)"_qs, u"殿"_qs, u"御中"_qs);
    CAutoReplaceData rules;
    rules.append(reversed ? second : first);
    rules.append(reversed ? first : second);
    Fixture f(1, {u"敬称(R)"_qs});
    f.setTexts({u"様"_qs});
    f.apply(rules);
    QCOMPARE(f.texts().first(), expected);
}

void TestAutoReplace::everyCopyOfTheRegion()
{
    // Two regions per sheet, two sheets per page, two pages: region 0's four copies change,
    // region 1's (same text, other attribute) do not.
    Fixture f(2, {u"敬称(R)"_qs, u"氏名(R)"_qs}, 2);
    QCOMPARE(f.doc->textRects().size(), 8);
    f.setTexts(QStringList(8, u"様"_qs));
    CAutoReplaceData rules;
    rules.append(makeRule(u"敬称(R)"_qs, u"様"_qs, u"御中"_qs));
    f.apply(rules);
    QCOMPARE(f.texts(), (QStringList{u"御中"_qs, u"様"_qs, u"御中"_qs, u"様"_qs, u"御中"_qs,
                                     u"様"_qs, u"御中"_qs, u"様"_qs}));
}

void TestAutoReplace::fitsChangedText_data()
{
    QTest::addColumn<AutoReplaceRule>("rule");
    QTest::addColumn<int>("trod");
    QTest::addColumn<Rect>("expected");
    // "御中御中御中御中" is 16 bytes: 800 wide at height 100, slack 25; the region is 400.
    const AutoReplaceRule replace = makeRule(u"敬称(R)"_qs, u"様"_qs, u"御中御中御中御中"_qs);
    const AutoReplaceRule notFound =
        withNotFound(makeRule(u"敬称(R)"_qs, u"殿"_qs), u"御中御中御中御中"_qs);
    QTest::newRow("replacement enlarged") << replace << 2 << Rect{10, -10, 835, -110};
    QTest::newRow("not-found text enlarged") << notFound << 2 << Rect{10, -10, 835, -110};
    QTest::newRow("replacement left") << replace << 0 << Rect{10, -10, 410, -110};
    // 8h + h/4 <= 400 first holds at 40 (from 100): 30 off each side.
    QTest::newRow("replacement shrunk") << replace << 1 << Rect{10, -40, 410, -80};
    QTest::newRow("colour only: no fitting")
        << withBack(makeRule(u"敬称(R)"_qs, u"様"_qs)) << 2 << Rect{10, -10, 410, -110};
}

void TestAutoReplace::fitsChangedText()
{
    QFETCH(AutoReplaceRule, rule);
    QFETCH(int, trod);
    QFETCH(Rect, expected);
    Fixture f(1, {u"敬称(R)"_qs});
    f.doc->environment().fitData = trod;
    f.setTexts({u"様"_qs});
    CAutoReplaceData rules;
    rules.append(rule);
    FixedAdvanceMeasurer measurer;
    f.apply(rules, &measurer);
    QCOMPARE(f.doc->textRects().rect(0), expected);
}

void TestAutoReplace::isNumeric_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("12a") << u"12a"_qs << false;
    QTest::newRow("1.5") << u"1.5"_qs << true;
    QTest::newRow("7") << u"7"_qs << true;
    QTest::newRow("1.2.3") << u"1.2.3"_qs << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("lone point") << u"."_qs << false;
    QTest::newRow(".5") << u".5"_qs << true;
    QTest::newRow("5.") << u"5."_qs << true;
    QTest::newRow("sign") << u"-5"_qs << false;
    QTest::newRow("space") << u" 5"_qs << false;
    QTest::newRow("full-width") << u"１２"_qs << false;
}

void TestAutoReplace::isNumeric()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(AutoReplacer::isNumeric(text), numeric);
}

void TestAutoReplace::boundValue_data()
{
    QTest::addColumn<QString>("bound");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << u"20"_qs << 20.0;
    QTest::newRow("decimal") << u"2.5"_qs << 2.5;
    QTest::newRow("negative") << u"-3"_qs << -3.0;
    QTest::newRow("leading blanks") << u"  7"_qs << 7.0;
    QTest::newRow("trailing garbage") << u"1.5歳"_qs << 1.5;
    QTest::newRow("exponent") << u"1e2"_qs << 100.0;
    QTest::newRow("dangling exponent") << u"3e"_qs << 3.0;
    QTest::newRow("not a number") << u"abc"_qs << 0.0;
    QTest::newRow("full-width digits are no number") << u"２０"_qs << 0.0;
    QTest::newRow("sign only") << u"-"_qs << 0.0;
}

void TestAutoReplace::boundValue()
{
    QFETCH(QString, bound);
    QFETCH(double, value);
    QCOMPARE(AutoReplacer::boundValue(bound), value);
}

void TestAutoReplace::fileBytes()
{
    QCOMPARE(bytesOf(CAutoReplaceData()), QByteArray(24, '\0'));

    CAutoReplaceData rules;
    AutoReplaceRule r = makeRule(u"敬称(R)"_qs, u"様"_qs, u"御中"_qs);
    r.textColor = 0x123456;
    rules.append(r);
    const QByteArray keep = shortString(TextCodec::encode(AutoReplaceRule::keep()));
    QByteArray expected;
    expected += le16(1) + le32(1);                                       // enabled
    expected += le16(1) + shortString(TextCodec::encode(u"敬称(R)"_qs)); // attribute
    expected += le16(1) + shortString(TextCodec::encode(u"様"_qs));      // search
    expected += le16(1) + shortString(QByteArray());                     // at least
    expected += le16(1) + shortString(QByteArray());                     // at most
    expected += le16(1) + shortString(TextCodec::encode(u"御中"_qs));    // replacement
    expected += le16(1) + keep;                                          // not found
    expected += le16(1) + le32(0x123456);                                // text colour
    expected += le16(1) + le32(1);                                       // keep it
    expected += le16(1) + le32(0xFFFFFF);                                // background
    expected += le16(1) + le32(1);                                       // keep it
    expected += le16(1) + keep;                                          // picture
    QCOMPARE(bytesOf(rules), expected);
}

void TestAutoReplace::fileRoundTrip()
{
    QTemporaryDir dir;
    const QString path = CAutoReplaceData::filePath(dir.path());
    QCOMPARE(QFileInfo(path).fileName(), u"ONUARDFile.dat"_qs);
    const CAutoReplaceData rules = sampleRules();
    QCOMPARE(rules.saveFile(path), QString());
    CAutoReplaceData back;
    QCOMPARE(back.loadFile(path), QString());
    QCOMPARE(back.count(), 2);
    QVERIFY(back == rules);
    QCOMPARE(back.rule(1).backPicture, u"/home/user/𠮷.png"_qs);
    QCOMPARE(back.rule(1).enabled, 0);
}

void TestAutoReplace::truncatedFileKeepsWholeRules_data()
{
    QTest::addColumn<int>("cut"); // bytes removed from the end; -n keeps only n bytes
    QTest::addColumn<int>("rules");
    QTest::newRow("whole") << 0 << 2;
    // The second rule's picture is cut short: the first rule is still whole.
    QTest::newRow("inside the last string") << 3 << 1;
    // The enabled column (2 + 8 bytes) and the attribute count only.
    QTest::newRow("after the first column") << -12 << 0;
    QTest::newRow("a single byte") << -1 << 0;
}

void TestAutoReplace::truncatedFileKeepsWholeRules()
{
    QFETCH(int, cut);
    QFETCH(int, rules);
    const QByteArray whole = bytesOf(sampleRules());
    const QByteArray bytes = cut < 0 ? whole.left(-cut) : whole.left(whole.size() - cut);
    CAutoReplaceData back = sampleRules();
    QCOMPARE(readBytes(bytes, back), cut == 0);
    QCOMPARE(back.count(), rules);
    // Every column has the same length: a rule read back is whole.
    for (int i = 0; i < back.count(); ++i)
        QVERIFY(back.rule(i) == sampleRules().rule(i));
    QCOMPARE(bytesOf(back).size() == 24, rules == 0);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"rules.dat"_qs);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    CAutoReplaceData loaded;
    QCOMPARE(loaded.loadFile(path).isEmpty(), cut == 0);
    QCOMPARE(loaded.count(), rules);
}

void TestAutoReplace::missingFileIsEmpty()
{
    QTemporaryDir dir;
    CAutoReplaceData rules = sampleRules();
    QCOMPARE(rules.loadFile(dir.filePath(u"nothing.dat"_qs)), QString());
    QVERIFY(rules.isEmpty());
}

void TestAutoReplace::failedSaveIsReportedAndKeepsTheOldFile()
{
    QTemporaryDir dir;
    // A folder that does not exist, a "folder" that is a file, a file name that is a folder.
    QVERIFY(!sampleRules().saveFile(dir.filePath(u"gone/ONUARDFile.dat"_qs)).isEmpty());
    const QString plain = dir.filePath(u"plain"_qs);
    QFile plainFile(plain);
    QVERIFY(plainFile.open(QIODevice::WriteOnly));
    plainFile.close();
    QVERIFY(!sampleRules().saveFile(plain + u"/ONUARDFile.dat"_qs).isEmpty());
    QVERIFY(!sampleRules().saveFile(dir.path()).isEmpty());

    // A folder that cannot be written: the old file stays as it was.
    if (::geteuid() == 0)
        QSKIP("running as root: permissions do not stop writing");
    const QString folder = dir.filePath(u"locked"_qs);
    QVERIFY(QDir().mkdir(folder));
    const QString path = CAutoReplaceData::filePath(folder);
    QCOMPARE(sampleRules().saveFile(path), QString());
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    CAutoReplaceData changed;
    changed.append(makeRule(u"氏名(R)"_qs, u"x"_qs));
    const QString message = changed.saveFile(path);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!message.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytesOf(sampleRules()));
}

void TestAutoReplace::saveReplacesALongerFile()
{
    QTemporaryDir dir;
    const QString path = CAutoReplaceData::filePath(dir.path());
    QCOMPARE(sampleRules().saveFile(path), QString());
    CAutoReplaceData one;
    one.append(makeRule(u"氏名(R)"_qs, u"x"_qs));
    QCOMPARE(one.saveFile(path), QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytesOf(one));
}

QTEST_GUILESS_MAIN(TestAutoReplace)
#include "tst_autoreplace.moc"
