// Drawing one text region into images and probing the pixels: the font forced to the
// cross size, the two-line rule, the four rotations, vertical writing, the outline,
// elliptic backgrounds, pictures and the edit-mode label.

#include "RenderProbe.h"

#include "render/PictureCache.h"
#include "render/RegionLayout.h"
#include "render/TextRegionRenderer.h"
#include "render/TextShaper.h"

#include "base/TextCodec.h"
#include "model/TextRect.h"

#include <QPicture>
#include <QTemporaryDir>
#include <QTest>

using namespace RenderProbe;

namespace {

const QString kMincho = QStringLiteral("ＭＳ 明朝");
const QString kVertical = QStringLiteral("@ＭＳ 明朝");

TextRect makeRegion(const Rect& rect, const QString& face, int orientation, const QString& text)
{
    TextRect r;
    r.rect = rect;
    r.font = FontRecord::make(face, -150, orientation);
    r.text = text;
    return r;
}

} // namespace

class TestRegionRender : public QObject
{
    Q_OBJECT

    TextShaper mShaper;
    PictureCache mPictures;
    TextRegionRenderer mRenderer{mShaper, mPictures};
    QTemporaryDir mDir;

    QImage render(const TextRect& region, TextRegionRenderer::Context context = {},
                  int* height = nullptr, QSize size = QSize(1000, 1000))
    {
        QImage image = blank(size.width(), size.height());
        QPainter painter(&image);
        begin(painter);
        const int h = mRenderer.draw(painter, region, region.text, context);
        if (height)
            *height = h;
        return image;
    }

    // A picture whose left half is red and right half green.
    QString halfPicture()
    {
        const QString path = mDir.filePath(QStringLiteral("halves.png"));
        if (!QFile::exists(path)) {
            QImage image(40, 20, QImage::Format_RGB32);
            image.fill(Qt::red);
            for (int y = 0; y < 20; ++y)
                for (int x = 20; x < 40; ++x)
                    image.setPixelColor(x, y, Qt::green);
            image.save(path);
        }
        return path;
    }

private slots:
    void fontFillsCrossSize_data()
    {
        QTest::addColumn<int>("storedHeight");
        QTest::addColumn<int>("crossSize");
        QTest::newRow("stored -150, region 100") << -150 << 100;
        QTest::newRow("stored 300, region 100") << 300 << 100;
        QTest::newRow("stored 0, region 100") << 0 << 100;
        QTest::newRow("stored 100, region 60") << 100 << 60;
    }
    // Whatever the record says, the em of a horizontal region is its height: two full-width
    // 口 are one em apart, and each lies inside the region's band.
    void fontFillsCrossSize()
    {
        QFETCH(int, storedHeight);
        QFETCH(int, crossSize);
        TextRect r =
            makeRegion({100, -100, 600, -100 - crossSize}, kMincho, 0, QStringLiteral("口口"));
        r.font.height = storedHeight;
        int used = 0;
        const QImage image = render(r, {}, &used);
        QCOMPARE(used, crossSize);

        const QRect first = box(image, dark, QRect(100, 100, crossSize, crossSize));
        const QRect second = box(image, dark, QRect(100 + crossSize, 100, crossSize, crossSize));
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        QVERIFY2(std::abs(second.left() - first.left() - crossSize) <= crossSize / 20,
                 qPrintable(QStringLiteral("advance %1").arg(second.left() - first.left())));
        QVERIFY(first.top() >= 100 && first.bottom() < 100 + crossSize);
        // 口 covers about three quarters of the em box.
        QVERIFY(first.height() >= crossSize * 0.7);
        QCOMPARE(box(image, dark).right() < 100 + 2 * crossSize, true);
    }

    void twoLineRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("allow");
        QTest::addColumn<bool>("split");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("span");
        QTest::newRow("ascii even") << QStringLiteral("ABCDEFGHIJKL") << true << true
                                    << QStringLiteral("ABCDEF") << QStringLiteral("GHIJKL") << 20;
        QTest::newRow("three double-byte") << QStringLiteral("あいう") << true << true
                                           << QStringLiteral("あい") << QStringLiteral("う") << 20;
        QTest::newRow("one byte") << QStringLiteral("W") << true << true << QString()
                                  << QStringLiteral("W") << 20;
        QTest::newRow("single then double") << QStringLiteral("Aあ") << true << true
                                            << QStringLiteral("A") << QStringLiteral("あ") << 20;
        QTest::newRow("double then single") << QStringLiteral("あA") << true << true
                                            << QStringLiteral("あ") << QStringLiteral("A") << 20;
        QTest::newRow("surrogate pair kept")
            << QStringLiteral("𠮷田様") << true << true << QStringLiteral("𠮷田")
            << QStringLiteral("様") << 20;
        QTest::newRow("not allowed") << QStringLiteral("あいう") << false << false
                                     << QStringLiteral("あいう") << QString() << 20;
        QTest::newRow("fits") << QStringLiteral("ab") << true << false << QStringLiteral("ab")
                              << QString() << 100;
    }
    // Each byte measures 30 units at height 100.
    void twoLineRule()
    {
        QFETCH(QString, text);
        QFETCH(bool, allow);
        QFETCH(bool, split);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, span);
        const auto measure = [](const QString& t, int height) {
            return TextCodec::byteLength(t) * 30 * height / 100;
        };
        const RegionLayout l =
            RegionLayout::compute({0, 0, span, -100}, 0, 0, text, allow, measure);
        QCOMPARE(l.twoLines, split);
        QCOMPARE(l.fontHeight, split ? 50 : 100);
        QCOMPARE(l.lines[0], first);
        QCOMPARE(l.lines[1], second);
        if (split) {
            const int w = std::max(measure(first, 50), measure(second, 50));
            QCOMPARE(l.width, w);
        }
    }

    void addressBreak_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("span");
        QTest::addColumn<QString>("first"); // empty: not broken
        QTest::addColumn<QString>("second");
        QTest::addColumn<double>("squeeze");
        // Every character an em; a region 100 across.
        QTest::newRow("squeezed to 75 %: kept on one line")
            << QStringLiteral("東京都中野区弥生町二丁目八番十五号コーポ") << 1500 << QString() << QString()
            << 0.75;
        QTest::newRow("before the building name, at a space")
            << QStringLiteral("東京都中野区弥生町二丁目八番十五号　コーポ若葉二〇一") << 1000
            << QStringLiteral("東京都中野区弥生町二丁目八番十五号")
            << QStringLiteral("コーポ若葉二〇一") << 1.0;
        QTest::newRow("after 番地")
            << QStringLiteral("京都府京都市下京区東塩小路町七百二十一番地グランドメゾン京都駅前") << 1100
            << QStringLiteral("京都府京都市下京区東塩小路町七百二十一番地")
            << QStringLiteral("グランドメゾン京都駅前") << 1.0;
        QTest::newRow("after the digits, not inside 号室")
            << QStringLiteral("東京都中野区弥生町2-8-15コーポ若葉201号室") << 900
            << QStringLiteral("東京都中野区弥生町2-8-15") << QStringLiteral("コーポ若葉201号室")
            << 1.0;
        // 55 characters: squeezed to 25 % on one line; two lines of half the size now, the
        // longer squeezed to the span (1400 / 1500).
        QTest::newRow("fifty-five characters")
            << QStringLiteral("北海道札幌市中央区南四条西二十九丁目千五百二十四番地二十三号"
                              "第二郵便ハウス北海道札幌市中央区南四条西二十九丁目") << 1400
            << QStringLiteral("北海道札幌市中央区南四条西二十九丁目千五百二十四番地二十三号")
            << QStringLiteral("第二郵便ハウス北海道札幌市中央区南四条西二十九丁目") << 1400.0 / 1500;
    }
    // As the renderer lays out a region with 長い時は縮小: broken past a squeeze of 70 %,
    // the second line indented by two of its characters, then squeezed.
    void addressBreak()
    {
        QFETCH(QString, text);
        QFETCH(int, span);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(double, squeeze);
        const auto measure = [](const QString& t, int height) { return int(t.size()) * height; };
        for (const int rotation : {0, 900}) {
            const Rect rect = rotation == 0 ? Rect{0, 0, span, -100} : Rect{0, 0, 100, -span};
            RegionLayout l = RegionLayout::compute(rect, rotation, 0, text, false, measure);
            if (!l.breakInTwo(rect, measure))
                l.squeezeToSpan(rect);
            QCOMPARE(l.twoLines, !first.isEmpty());
            QVERIFY2(std::abs(l.squeeze - squeeze) < 1e-6, qPrintable(QString::number(l.squeeze)));
            if (first.isEmpty())
                continue;
            QCOMPARE(l.fontHeight, 50);
            QCOMPARE(l.lines[0], first);
            QCOMPARE(l.lines[1], second);
            // Both from the start edge, the second two of its characters further along.
            if (rotation == 0) {
                QCOMPARE(l.starts[0], QPointF(0, 0));
                QCOMPARE(l.starts[1], QPointF(100, -50));
            } else {
                QCOMPARE(l.starts[0], QPointF(100, 0));
                QCOMPARE(l.starts[1], QPointF(50, -100));
            }
        }
    }

    void startPoints_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("two");
        QTest::addColumn<QPointF>("line1");
        QTest::addColumn<QPointF>("line2");
        // Region (100, -200, 500, -300) for 0 and 1800, (100, -200, 200, -600) turned:
        // span 400; a byte measures one em: "ab" is 200 on one line, the 12 bytes of
        // "あいうえおか" split into two halves of 300 at em 50.
        QTest::newRow("0 start") << 0 << 0 << false << QPointF(100, -200) << QPointF();
        QTest::newRow("0 centre") << 0 << 1 << false << QPointF(200, -200) << QPointF();
        QTest::newRow("0 end") << 0 << 2 << false << QPointF(300, -200) << QPointF();
        QTest::newRow("0 two lines") << 0 << 1 << true << QPointF(150, -200) << QPointF(150, -250);
        QTest::newRow("900 end") << 900 << 2 << false << QPointF(200, -400) << QPointF();
        QTest::newRow("900 two lines")
            << 900 << 0 << true << QPointF(200, -200) << QPointF(150, -200);
        QTest::newRow("1800 end") << 1800 << 2 << false << QPointF(300, -300) << QPointF();
        QTest::newRow("1800 two lines")
            << 1800 << 0 << true << QPointF(500, -300) << QPointF(500, -250);
        QTest::newRow("2700 centre") << 2700 << 1 << false << QPointF(100, -500) << QPointF();
        QTest::newRow("2700 two lines")
            << 2700 << 2 << true << QPointF(100, -500) << QPointF(150, -500);
    }
    void startPoints()
    {
        QFETCH(int, rotation);
        QFETCH(int, alignment);
        QFETCH(bool, two);
        QFETCH(QPointF, line1);
        QFETCH(QPointF, line2);
        const bool turned = rotation == 900 || rotation == 2700;
        const Rect rect = turned ? Rect{100, -200, 200, -600} : Rect{100, -200, 500, -300};
        const QString text = two ? QStringLiteral("あいうえおか") : QStringLiteral("ab");
        const auto measure = [](const QString& t, int height) {
            return TextCodec::byteLength(t) * height;
        };
        const RegionLayout l =
            RegionLayout::compute(rect, rotation, alignment, text, true, measure);
        QCOMPARE(l.twoLines, two);
        QCOMPARE(l.starts[0], line1);
        if (two)
            QCOMPARE(l.starts[1], line2);
    }

    // An overhanging centred text gets a negative offset, the same on both ends.
    void centredOverhang()
    {
        const RegionLayout l =
            RegionLayout::compute({0, 0, 100, -50}, 0, 1, QStringLiteral("abcd"), false,
                                  [](const QString& t, int) { return int(t.size()) * 45; });
        QCOMPARE(l.offset, -40);
    }

    void rotations_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QRect>("rect");   // the region, in pixels
        QTest::addColumn<QRect>("inside"); // where the text must lie, in pixels
        QTest::addColumn<int>("leaning");  // where the stem of "L" goes: quadrant of ink
        // Text "L口" (150 units at em 100), alignment 0.
        QTest::newRow("0") << 0 << QRect(300, 300, 400, 100) << QRect(300, 300, 150, 100) << 0;
        QTest::newRow("900") << 900 << QRect(300, 300, 100, 400) << QRect(300, 300, 100, 150)
                             << 900;
        QTest::newRow("1800") << 1800 << QRect(300, 300, 400, 100) << QRect(550, 300, 150, 100)
                              << 1800;
        QTest::newRow("2700") << 2700 << QRect(300, 300, 100, 400) << QRect(300, 550, 100, 150)
                              << 2700;
    }
    // The text starts where the table says, runs the way it says, and its letters are
    // turned with it: the "L" of each rotation has its ink heavy toward the corner the
    // turn brings its stem and foot to.
    void rotations()
    {
        QFETCH(int, rotation);
        QFETCH(QRect, rect);
        QFETCH(QRect, inside);
        QFETCH(int, leaning);
        const Rect r{rect.left(), -rect.top(), rect.left() + rect.width(),
                     -(rect.top() + rect.height())};
        const QImage image = render(makeRegion(r, kMincho, rotation, QStringLiteral("L口")));
        const QRect ink = box(image, dark);
        QVERIFY(!ink.isEmpty());
        QVERIFY2(inside.adjusted(-1, -1, 1, 1).contains(ink),
                 qPrintable(QStringLiteral("ink %1,%2 %3x%4")
                                .arg(ink.x())
                                .arg(ink.y())
                                .arg(ink.width())
                                .arg(ink.height())));

        // The first cell along the line holds the L.
        QRect cell;
        switch (rotation) {
        case 0:
            cell = QRect(inside.left(), inside.top(), 50, 100);
            break;
        case 900:
            cell = QRect(inside.left(), inside.top(), 100, 50);
            break;
        case 1800:
            cell = QRect(inside.right() - 49, inside.top(), 50, 100);
            break;
        default:
            cell = QRect(inside.left(), inside.bottom() - 49, 100, 50);
            break;
        }
        QPointF centre;
        QVERIFY(count(image, dark, &centre, cell) > 0);
        const QPointF middle = QRectF(box(image, dark, cell)).center();
        const bool left = centre.x() < middle.x();
        const bool up = centre.y() < middle.y();
        switch (leaning) {
        case 0:
            QVERIFY(left && !up);
            break; // L
        case 900:
            QVERIFY(left && up);
            break; // turned clockwise: Γ
        case 1800:
            QVERIFY(!left && up);
            break; // upside down
        default:
            QVERIFY(!left && !up);
            break; // turned anticlockwise
        }
    }

    void verticalForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expect");
        QTest::newRow("、") << QStringLiteral("、") << QStringLiteral("upper right");
        QTest::newRow("。") << QStringLiteral("。") << QStringLiteral("upper right");
        QTest::newRow("っ") << QStringLiteral("っ") << QStringLiteral("right");
        QTest::newRow("ー") << QStringLiteral("ー") << QStringLiteral("tall");
        QTest::newRow("～") << QStringLiteral("～") << QStringLiteral("tall");
        QTest::newRow("－ turned") << QStringLiteral("－") << QStringLiteral("tall");
        QTest::newRow("（") << QStringLiteral("（") << QStringLiteral("wide");
        QTest::newRow("」") << QStringLiteral("」") << QStringLiteral("wide");
        QTest::newRow("ABC upright") << QStringLiteral("ABC") << QStringLiteral("tall");
        QTest::newRow("123 upright") << QStringLiteral("123") << QStringLiteral("tall");
        QTest::newRow("ＡＢ upright") << QStringLiteral("ＡＢ") << QStringLiteral("tall");
        QTest::newRow("L upright") << QStringLiteral("L") << QStringLiteral("L");
        QTest::newRow("ｱ turned clockwise") << QStringLiteral("ｱｱｱ") << QStringLiteral("tall");
        QTest::newRow("10 across one cell") << QStringLiteral("10") << QStringLiteral("pair");
    }
    // A vertical region (face "@", rotation 900) one em wide: punctuation and small kana take
    // their vertical forms, long marks and dashes stand along the column, half-width katakana
    // lies turned, Latin letters and digits stand upright one above the other, and two
    // digits share a cell across the column.
    void verticalForms()
    {
        QFETCH(QString, text);
        QFETCH(QString, expect);
        const QImage image = render(makeRegion({300, -100, 400, -900}, kVertical, 900, text));
        const QRect cell(300, 100, 100, 100);
        const QRect ink = box(image, dark);
        QVERIFY(!ink.isEmpty());
        QVERIFY(ink.left() >= 299 && ink.right() <= 400);
        QPointF centre;
        count(image, dark, &centre);
        if (expect == QLatin1String("upper right")) {
            QVERIFY(cell.contains(ink));
            QVERIFY(centre.x() > 350 && centre.y() < 150);
        } else if (expect == QLatin1String("right")) {
            // The vertical form sits a tenth of an em higher and further right than the
            // horizontal one (whose centre is at about (356, 156)).
            QVERIFY(centre.x() > 360 && centre.y() < 150);
        } else if (expect == QStringLiteral("L")) {
            // Upright: the ink leans to the left and the bottom.
            const QPointF middle = QRectF(ink).center();
            QVERIFY(centre.x() < middle.x() && centre.y() > middle.y());
        } else if (expect == QStringLiteral("pair")) {
            // 縦中横: side by side within the first cell.
            QVERIFY(cell.contains(ink));
            QVERIFY(ink.width() > ink.height());
        } else if (expect == QLatin1String("tall")) {
            QVERIFY2(ink.height() > 1.5 * ink.width(),
                     qPrintable(QStringLiteral("%1x%2").arg(ink.width()).arg(ink.height())));
        } else {
            QVERIFY(ink.width() > 1.5 * ink.height());
        }
        // Upright full-width letters are read one above the other, each upright: "Ａ" has
        // its apex at the top.
        if (text == QLatin1String("ＡＢ")) {
            const QRect a = box(image, dark, cell);
            const QRect apexRow(a.left(), a.top(), a.width(), 3);
            const QRect apex = box(image, dark, apexRow);
            QVERIFY(std::abs(apex.center().x() - a.center().x()) < 8);
        }
    }

    // Sideways text is measured and drawn alike: "ｱｲｳ" in a vertical line is as long as the
    // same text written horizontally.
    void sidewaysMeasure()
    {
        const FontRecord v = FontRecord::make(kVertical, 100, 900);
        const FontRecord h = FontRecord::make(kMincho, 100, 0);
        const int lengthV = mShaper.extent(QStringLiteral("ｱｲｳ"), v, 100);
        const int lengthH = mShaper.extent(QStringLiteral("ｱｲｳ"), h, 100);
        QCOMPARE(lengthV, lengthH);
        const QImage image =
            render(makeRegion({300, -100, 400, -900}, kVertical, 900, QStringLiteral("ｱｲｳ")));
        const QRect ink = box(image, dark);
        QVERIFY(std::abs(ink.height() - lengthV) <= lengthV / 10);
    }

    void twoLinesDrawn_data()
    {
        QTest::addColumn<bool>("templateMode");
        QTest::addColumn<int>("fitData");
        QTest::addColumn<bool>("split");
        QTest::newRow("data, TROD 3") << false << 3 << true;
        QTest::newRow("data, TROD 0") << false << 0 << false;
        QTest::newRow("data, TROD 2") << false << 2 << false;
        QTest::newRow("template") << true << 0 << true;
    }
    // 口口口口 (400 at em 100) in a 300 × 100 region: two lines of em 50, the second from the
    // region's middle, both starting at the left; or one line past the right edge.
    void twoLinesDrawn()
    {
        QFETCH(bool, templateMode);
        QFETCH(int, fitData);
        QFETCH(bool, split);
        TextRegionRenderer::Context c;
        c.templateMode = templateMode;
        c.fitData = fitData;
        int used = 0;
        const QImage image = render(
            makeRegion({100, -100, 400, -200}, kMincho, 0, QStringLiteral("口口口口")), c, &used);
        const QRect upper = box(image, dark, QRect(0, 100, 1000, 50));
        const QRect lower = box(image, dark, QRect(0, 150, 1000, 50));
        const QRect all = box(image, dark);
        if (split) {
            QCOMPARE(used, 50);
            QVERIFY(!upper.isEmpty() && !lower.isEmpty());
            QVERIFY(upper.bottom() < 150 && lower.top() >= 150);
            QVERIFY(std::abs(upper.left() - lower.left()) <= 1);
            QVERIFY(upper.left() < 110 && upper.right() < 200);
            QVERIFY(all.bottom() < 200);
        } else {
            QCOMPARE(used, 100);
            QVERIFY(all.right() > 450);
        }
    }

    // The outline is a solid edge of its width around the letters, under them.
    void outline()
    {
        TextRect r = makeRegion({100, -100, 400, -300}, kMincho, 0, QStringLiteral("口"));
        r.outlineWidth = 8;
        r.outlineColor = 0xFF0000; // blue
        const QImage image = render(r);
        const QRect letters = box(image, like(Qt::black, 90));
        const QRect edge = box(image, like(Qt::blue, 90));
        QVERIFY(!edge.isEmpty());
        QVERIFY(std::abs(letters.left() - edge.left() - 8) <= 2);
        QVERIFY(std::abs(edge.right() - letters.right() - 8) <= 2);
        QVERIFY(std::abs(letters.top() - edge.top() - 8) <= 2);
        // Inside the square of 口 the outline runs along its inner edge too, and the
        // middle stays white.
        const QPoint middle = letters.center();
        QVERIFY(near(image.pixel(middle), Qt::white, 10));
        // Under the letters: the thin strokes of 口 (thinner than the 16-unit stroke of the
        // outline) still show black.
        QVERIFY(count(image, like(Qt::black, 90)) > 300);
    }

    // Printers and PDF get the strokes as vectors, the screen a kept image of them: both
    // give the same outline.
    void outlineOnVectorDevices()
    {
        TextRect r = makeRegion({100, -100, 400, -300}, kMincho, 0, QStringLiteral("口"));
        r.outlineWidth = 8;
        r.outlineColor = 0xFF0000;
        r.font.weight = 700;
        const QImage raster = render(r);
        QPicture picture;
        {
            QPainter painter(&picture);
            begin(painter);
            mRenderer.draw(painter, r, r.text, {});
        }
        QImage vector = blank(1000, 1000);
        {
            QPainter painter(&vector);
            painter.drawPicture(0, 0, picture);
        }
        for (const QColor& c : {QColor(Qt::blue), QColor(Qt::black)}) {
            const QRect a = box(raster, like(c, 90));
            const QRect b = box(vector, like(c, 90));
            QVERIFY(!a.isEmpty());
            QVERIFY2((a.topLeft() - b.topLeft()).manhattanLength() <= 2 &&
                         (a.bottomRight() - b.bottomRight()).manhattanLength() <= 2,
                     qPrintable(QStringLiteral("%1 %2").arg(c.name()).arg(b.width())));
            const int na = count(raster, like(c, 90));
            const int nb = count(vector, like(c, 90));
            QVERIFY(std::abs(na - nb) < na / 20);
        }
    }

    // An elliptic background fills the inscribed ellipse only.
    void ellipticBackground()
    {
        TextRect r = makeRegion({100, -100, 500, -300}, kMincho, 0, QString());
        r.elliptic = 1;
        r.backColorOff = 0;
        r.backColor = 0x0000FF; // red
        const QImage image = render(r);
        const auto red = like(Qt::red, 60);
        QVERIFY(red(image.pixel(300, 200)));
        const QPointF c(300, 200);
        for (int y = 90; y < 310; ++y) {
            for (int x = 90; x < 510; ++x) {
                if (!red(image.pixel(x, y)))
                    continue;
                const double dx = (x + 0.5 - c.x()) / 200.0;
                const double dy = (y + 0.5 - c.y()) / 100.0;
                QVERIFY2(dx * dx + dy * dy <= 1.02,
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(near(image.pixel(105, 105), Qt::white, 5));
        // No frame flag: no outline drawn.
        QCOMPARE(count(image, dark), 0);

        r.borderSides.top = 1;
        r.borderColor = 0x000000;
        r.borderWidth = 4;
        const QImage framed = render(r);
        QVERIFY(dark(framed.pixel(300, 100)));  // top of the ellipse
        QVERIFY(dark(framed.pixel(100, 200)));  // its left end
        QVERIFY(!dark(framed.pixel(102, 102))); // not the rectangle's corner
    }

    void frameSides()
    {
        TextRect r = makeRegion({100, -100, 500, -300}, kMincho, 0, QString());
        r.borderSides.left = 1;
        r.borderSides.bottom = 1;
        r.borderColor = 0x00FF00;
        r.borderWidth = 4;
        const QImage image = render(r);
        const auto green = like(Qt::green, 60);
        QVERIFY(green(image.pixel(100, 200)));
        QVERIFY(green(image.pixel(300, 300)));
        QVERIFY(!green(image.pixel(300, 100)));
        QVERIFY(!green(image.pixel(500, 200)));
    }

    void picture_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QPoint>("redAt");
        QTest::addColumn<QPoint>("greenAt");
        // Region (100, -100, 500, -300): 400 × 200 pixels at (100, 100).
        QTest::newRow("0") << 0 << QPoint(150, 200) << QPoint(450, 200);
        QTest::newRow("90") << 90 << QPoint(300, 120) << QPoint(300, 280);
        QTest::newRow("180") << 180 << QPoint(450, 200) << QPoint(150, 200);
        QTest::newRow("270") << 270 << QPoint(300, 280) << QPoint(300, 120);
    }
    // Pictures are turned clockwise by their rotation and stretched over the region.
    void picture()
    {
        QFETCH(int, rotation);
        QFETCH(QPoint, redAt);
        QFETCH(QPoint, greenAt);
        TextRect r = makeRegion({100, -100, 500, -300}, kMincho, 0, QString());
        r.backPicture = halfPicture();
        r.backPictureRotation = rotation;
        const QImage image = render(r);
        QVERIFY(near(image.pixel(redAt), Qt::red, 20));
        QVERIFY(near(image.pixel(greenAt), Qt::green, 20));
        QVERIFY(
            near(image.pixel(102, 102), rotation == 0 || rotation == 90 ? Qt::red : Qt::green, 20));
        QVERIFY(near(image.pixel(90, 90), Qt::white, 0));
    }

    void pictureOpacityAndKey()
    {
        TextRect r = makeRegion({100, -100, 500, -300}, kMincho, 0, QString());
        r.backPicture = halfPicture();
        r.pictureTransparency = 50;
        QImage image = render(r);
        QVERIFY(near(image.pixel(150, 200), QColor(255, 128, 128), 6));

        r.pictureTransparency = 0;
        r.backColorOff = 0;
        r.backColor = 0xFF0000; // blue background shows through the keyed green
        r.transparentColorOn = 1;
        r.transparentColor = 0x00FF00;
        image = render(r);
        QVERIFY(near(image.pixel(150, 200), Qt::red, 10));
        QVERIFY(near(image.pixel(450, 200), Qt::blue, 10));
    }

    // A file that cannot be read draws no picture but the rest of the region.
    void unreadablePicture()
    {
        TextRect r = makeRegion({100, -100, 500, -300}, kMincho, 0, QStringLiteral("口"));
        r.backPicture = mDir.filePath(QStringLiteral("missing.jpg"));
        const QImage image = render(r);
        QVERIFY(count(image, dark) > 0);
        QVERIFY(near(image.pixel(450, 250), Qt::white, 0));
    }

    // Edit mode shows "T<n> Pic" in grey at the top-left corner instead of the picture;
    // it shows on elliptic regions too.
    void editLabel_data()
    {
        QTest::addColumn<bool>("elliptic");
        QTest::newRow("rectangle") << false;
        QTest::newRow("ellipse") << true;
    }
    void editLabel()
    {
        QFETCH(bool, elliptic);
        TextRect r = makeRegion({100, -100, 500, -300}, kMincho, 0, QString());
        r.backPicture = halfPicture();
        r.elliptic = elliptic;
        TextRegionRenderer::Context c;
        c.mode = RenderMode::Edit;
        c.number = 7;
        const QImage edit = render(r, c);
        QCOMPARE(count(edit, like(Qt::red, 30)), 0);
        const QRect grey = box(edit, [](QRgb p) { return qGray(p) < 230; });
        QVERIFY(!grey.isEmpty());
        QVERIFY(grey.left() >= 100 && grey.left() < 110 && grey.top() >= 100 && grey.top() < 110);
        QVERIFY(grey.width() > 20 && grey.height() < 20);
        QVERIFY(count(edit, like(QColor(0x99, 0x99, 0x99), 30)) > 10);

        c.mode = RenderMode::Preview;
        const QImage preview = render(r, c);
        QVERIFY(count(preview, like(Qt::red, 30)) > 0);
    }
};

QTEST_MAIN(TestRegionRender)
#include "tst_regionrender.moc"
