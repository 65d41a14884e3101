// Fit region to text: enlarging toward the end the text runs to, shrinking the font 1 mm
// at a time down to 20–29 and narrowing the region around its centre line.

#include "base/TextCodec.h"
#include "model/TextMeasurer.h"
#include "model/TextRect.h"
#include "render/RegionFitter.h"

#include <QTest>

#include <algorithm>
#include <limits>

Q_DECLARE_METATYPE(Rect)

namespace {

// Every CP932 byte is half the font height wide, like a fixed-pitch face.
class FixedAdvanceMeasurer : public TextMeasurer
{
public:
    int textExtent(const QString& text, const FontRecord&, int crossSize) const override
    {
        ++calls;
        return int(std::min<qint64>(qint64(TextCodec::byteLength(text)) * crossSize / 2,
                                    std::numeric_limits<int>::max()));
    }
    mutable int calls = 0;
};

FontRecord fontAt(int orientation)
{
    return FontRecord::make(orientation == 900 ? QStringLiteral("@ＭＳ 明朝")
                                               : QStringLiteral("ＭＳ 明朝"),
                            -100, orientation);
}

} // namespace

class TestRegionFitter : public QObject
{
    Q_OBJECT
private slots:
    void fit_data();
    void fit();
    void leavesAloneWithoutMeasurerOrAction_data();
    void leavesAloneWithoutMeasurerOrAction();
    void absurdHeightFinishesQuickly();
    void malformedRectangleDoesNotHang();
    void fitRegionWritesBack();
};

void TestRegionFitter::fit_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<Rect>("rect");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("action");
    QTest::addColumn<Rect>("expected");
    QTest::addColumn<int>("expectedHeight");

    const Rect square{0, 0, 100, -100};
    const QString abcd = QStringLiteral("ABCD"); // 4 bytes: 200 wide at 100, slack 25
    const int E = RegionFitter::Enlarge;
    const int S = RegionFitter::Shrink;

    QTest::newRow("enlarge 0 runs right")
        << 0 << square << abcd << 0 << E << Rect{0, 0, 225, -100} << 100;
    QTest::newRow("enlarge 900 runs down")
        << 900 << square << abcd << 0 << E << Rect{0, 0, 100, -225} << 100;
    QTest::newRow("enlarge 1800 runs left")
        << 1800 << square << abcd << 0 << E << Rect{-125, 0, 100, -100} << 100;
    QTest::newRow("enlarge 2700 runs up")
        << 2700 << square << abcd << 0 << E << Rect{0, 125, 100, -100} << 100;
    QTest::newRow("spacing after every character")
        << 0 << square << abcd << 10 << E << Rect{0, 0, 270, -100} << 100;
    QTest::newRow("spacing counts characters, not bytes")
        << 0 << square << QStringLiteral("山田") << 10 << E << Rect{0, 0, 247, -100} << 100;
    QTest::newRow("already fits") << 0 << Rect{0, 0, 300, -100} << abcd << 0 << E
                                  << Rect{0, 0, 300, -100} << 100;
    QTest::newRow("fits exactly with slack")
        << 0 << Rect{0, 0, 225, -100} << abcd << 0 << E << Rect{0, 0, 225, -100} << 100;
    QTest::newRow("one unit short")
        << 0 << Rect{0, 0, 224, -100} << abcd << 0 << E << Rect{0, 0, 225, -100} << 100;
    QTest::newRow("empty text stays") << 0 << square << QString() << 0 << E << square << 100;
    QTest::newRow("font height becomes the cross size")
        << 0 << Rect{0, 0, 500, -80} << abcd << 0 << E << Rect{0, 0, 500, -80} << 80;

    // 2h + h/4 <= 100 first holds at 40: the cross size goes to 40 around the middle.
    QTest::newRow("shrink horizontal")
        << 0 << square << abcd << 0 << S << Rect{0, -30, 100, -70} << 40;
    // 4h + h/4 <= 300 first holds at 70.
    QTest::newRow("shrink vertical narrows the width")
        << 900 << Rect{0, 0, 100, -300} << QStringLiteral("ABCDEFGH") << 0 << S
        << Rect{15, 0, 85, -300} << 70;
    QTest::newRow("shrink stops at 20 and may still overflow")
        << 0 << square << QStringLiteral("ABCDEFGHIJKLMNOPQRST") << 0 << S << Rect{0, -40, 100, -60}
        << 20;
    QTest::newRow("shrink from 95 ends at 25")
        << 0 << Rect{0, 0, 100, -95} << QStringLiteral("ABCDEFGHIJKLMNOPQRST") << 0 << S
        << Rect{0, -35, 100, -60} << 25;
    QTest::newRow("shrink below 30 does not go lower")
        << 0 << Rect{0, 0, 10, -25} << abcd << 0 << S << Rect{0, 0, 10, -25} << 25;
    QTest::newRow("shrink leaves a fitting region")
        << 0 << Rect{0, 0, 300, -100} << abcd << 0 << S << Rect{0, 0, 300, -100} << 100;
}

void TestRegionFitter::fit()
{
    QFETCH(int, orientation);
    QFETCH(Rect, rect);
    QFETCH(QString, text);
    QFETCH(int, spacing);
    QFETCH(int, action);
    QFETCH(Rect, expected);
    QFETCH(int, expectedHeight);

    FixedAdvanceMeasurer measurer;
    FontRecord font = fontAt(orientation);
    RegionFitter::fit(text, rect, font, spacing, action, &measurer);
    QCOMPARE(rect, expected);
    QCOMPARE(font.height, expectedHeight);
}

void TestRegionFitter::leavesAloneWithoutMeasurerOrAction_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("withMeasurer");
    QTest::newRow("no measurer") << int(RegionFitter::Enlarge) << false;
    QTest::newRow("leave") << 0 << true;
    QTest::newRow("two lines is the renderer's") << 3 << true;
    QTest::newRow("unknown action") << 7 << true;
}

void TestRegionFitter::leavesAloneWithoutMeasurerOrAction()
{
    QFETCH(int, action);
    QFETCH(bool, withMeasurer);
    FixedAdvanceMeasurer measurer;
    Rect rect{0, 0, 10, -100};
    FontRecord font = fontAt(0);
    const FontRecord before = font;
    QVERIFY(!RegionFitter::fit(QStringLiteral("ABCDEFGH"), rect, font, 0, action,
                               withMeasurer ? &measurer : nullptr));
    QCOMPARE(rect, (Rect{0, 0, 10, -100}));
    QVERIFY(font == before);
    QCOMPARE(measurer.calls, 0);
}

void TestRegionFitter::absurdHeightFinishesQuickly()
{
    // A damaged file's region two billion units high: the same first fitting height as
    // walking down 1 mm at a time (h + h/4 <= 100 first holds at 80), in few measurements.
    FixedAdvanceMeasurer measurer;
    Rect rect{0, 2000000000, 100, 0};
    FontRecord font = fontAt(0);
    RegionFitter::fit(QStringLiteral("AB"), rect, font, 0, RegionFitter::Shrink, &measurer);
    QCOMPARE(font.height, 80);
    QCOMPARE(rect.top - rect.bottom, 80);
    QVERIFY2(measurer.calls < 100, QByteArray::number(measurer.calls));
}

void TestRegionFitter::malformedRectangleDoesNotHang()
{
    FixedAdvanceMeasurer measurer;
    Rect rect{100, 2000000000, 0, 0}; // right left of left: nothing ever fits
    FontRecord font = fontAt(0);
    RegionFitter::fit(QStringLiteral("AB"), rect, font, 0, RegionFitter::Shrink, &measurer);
    QCOMPARE(font.height, 20);
    QVERIFY2(measurer.calls < 100, QByteArray::number(measurer.calls));
}

void TestRegionFitter::fitRegionWritesBack()
{
    TextRectFamily regions;
    TextRect r;
    r.text = QStringLiteral("ABCD");
    r.rect = Rect{0, 0, 100, -100};
    r.font = fontAt(0);
    regions.append(r);
    regions.append(r);
    FixedAdvanceMeasurer measurer;
    QVERIFY(RegionFitter::fitRegion(regions, 1, RegionFitter::Shrink, &measurer));
    QCOMPARE(regions.rect(0), (Rect{0, 0, 100, -100}));
    QCOMPARE(regions.rect(1), (Rect{0, -30, 100, -70}));
    QCOMPARE(regions.font(1).height, 40);
    QVERIFY(!RegionFitter::fitRegion(regions, 5, RegionFitter::Shrink, &measurer));
}

QTEST_GUILESS_MAIN(TestRegionFitter)
#include "tst_regionfitter.moc"
