// Drawing whole pages into images: the screen mapping, the objects of a page, layers,
// grid, sheet backgrounds with their bleed, frames, labels, selection marks, the printed
// subset and the PNG export.

#include "RenderProbe.h"

#include "render/PageImageExporter.h"
#include "render/PageRenderer.h"

#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace RenderProbe;

Q_DECLARE_METATYPE(RenderMode)

namespace {

TextRect region(const Rect& r, qint32 layer, qint32 backColor)
{
    TextRect t;
    t.rect = r;
    t.font = FontRecord::make(QStringLiteral("ＭＳ 明朝"), -100, 0);
    t.layer = layer;
    t.backColorOff = 0;
    t.backColor = backColor;
    return t;
}

Sheet sheet(const Rect& r, qint32 backColor = 0xFFFFFF)
{
    Sheet s;
    s.rect = r;
    s.backColor = backColor;
    return s;
}

} // namespace

class TestPageRender : public QObject
{
    Q_OBJECT

    MemoryProfile mProfile;
    std::unique_ptr<CORINOTEDoc> mDoc;
    PageRenderer mRenderer;
    QTemporaryDir mDir;

    // A data-mode document on a 1000 × 1000 paper with the given sheets on one page.
    CORINOTEDoc& document(const QList<Sheet>& sheets = {sheet({0, 0, 1000, -1000})})
    {
        mDoc = std::make_unique<CORINOTEDoc>(&mProfile);
        CORINOTEDoc& d = *mDoc;
        d.scalars().paperRect = {0, 0, 1000, -1000};
        d.labelTemplate().paperRect = d.scalars().paperRect;
        for (const Sheet& s : sheets) {
            d.sheets().append(s);
            d.labelTemplate().sheets.append(s);
        }
        return d;
    }

    void addRegion(const TextRect& r)
    {
        mDoc->textRects().append(r);
        mDoc->labelTemplate().regions.append(r);
    }

    QImage draw(RenderMode mode, PageRenderer::Options options = {}, int page = 1)
    {
        options.mode = mode;
        QImage image = blank(1000, 1000);
        if (mode == RenderMode::Print)
            image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setTransform(QTransform(1, 0, 0, -1, 0, 0));
        mRenderer.draw(painter, *mDoc, page, options);
        return image;
    }

    QString squarePicture()
    {
        const QString path = mDir.filePath(QStringLiteral("square.png"));
        QImage image(30, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.save(path);
        return path;
    }

private slots:
    void screenMapping_data()
    {
        QTest::addColumn<QSize>("paper");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<double>("scale");
        QTest::newRow("postcard in an A4 window")
            << QSize(1000, 1480) << 1.0 << QSize(2100, 2970) << 1.0;
        QTest::newRow("half size") << QSize(2100, 2970) << 1.0 << QSize(1050, 1485) << 0.5;
        QTest::newRow("zoom 2") << QSize(2100, 2970) << 2.0 << QSize(2100, 2970) << 2.0;
        QTest::newRow("zoom 3 truncates") << QSize(2100, 2970) << 3.0 << QSize(700, 990) << 1.0;
        QTest::newRow("zoom 1.5, the smaller scale")
            << QSize(2100, 2970) << 1.5 << QSize(800, 600) << 600.0 / 1980;
        QTest::newRow("2101 wide uses A3") << QSize(2101, 1000) << 1.0 << QSize(2970, 4200) << 1.0;
        QTest::newRow("2971 high uses A3") << QSize(2100, 2971) << 0.5 << QSize(5940, 8400) << 1.0;
    }
    void screenMapping()
    {
        QFETCH(QSize, paper);
        QFETCH(double, zoom);
        QFETCH(QSize, client);
        QFETCH(double, scale);
        const QTransform t =
            PageRenderer::screenTransform({0, 0, paper.width(), -paper.height()}, zoom, client);
        QVERIFY(qFuzzyCompare(t.m11(), scale));
        QVERIFY(qFuzzyCompare(t.m22(), -scale));
        QCOMPARE(t.map(QPointF(100, -200)), QPointF(100 * scale, 200 * scale));
        QCOMPARE(PageRenderer::scrollRange(zoom, client),
                 QSize(int(client.width() * zoom), int(client.height() * zoom)));
    }

    void deviceMapping_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QPointF>("origin");
        QTest::newRow("254 dpi") << 254 << QPoint(0, 0) << QPointF(0, 0);
        QTest::newRow("right and down") << 254 << QPoint(100, 50) << QPointF(100, 50);
        QTest::newRow("600 dpi, left and up") << 600 << QPoint(-127, -254) << QPointF(-300, -600);
    }
    // A positive X offset moves the print right, a positive Y offset down.
    void deviceMapping()
    {
        QFETCH(int, dpi);
        QFETCH(QPoint, offset);
        QFETCH(QPointF, origin);
        const QTransform t = PageRenderer::deviceTransform(dpi, dpi, offset.x(), offset.y());
        const QPointF o = t.map(QPointF(0, 0));
        QVERIFY(qAbs(o.x() - origin.x()) < 1e-9 && qAbs(o.y() - origin.y()) < 1e-9);
        QCOMPARE(t.map(QPointF(254, -254)) - o, QPointF(dpi, dpi));
    }

    void pageObjects_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("pages"); // data-mode pages built
        QTest::addColumn<bool>("templateMode");
        QTest::addColumn<QList<int>>("expected"); // first/count of sheets, regions, lines
        QTest::newRow("page 1") << 1 << 3 << false << QList<int>{0, 4, 0, 20, 0, 3};
        QTest::newRow("page 2: regions 21 to 40")
            << 2 << 3 << false << QList<int>{4, 4, 20, 20, 3, 3};
        QTest::newRow("a page past the lists") << 5 << 3 << false << QList<int>{12, 0, 60, 0, 9, 0};
        QTest::newRow("template mode") << 2 << 3 << true << QList<int>{0, 4, 0, 5, 0, 3};
    }
    // Four sheets of five regions and three ruled lines per page.
    void pageObjects()
    {
        QFETCH(int, page);
        QFETCH(int, pages);
        QFETCH(bool, templateMode);
        QFETCH(QList<int>, expected);
        CORINOTEDoc& d = document({});
        for (int s = 0; s < 4; ++s)
            d.labelTemplate().sheets.append(sheet({s * 250, 0, s * 250 + 250, -250}));
        for (int r = 0; r < 5; ++r)
            d.labelTemplate().regions.append(region({0, 0, 50, -50}, 1, 0));
        for (int k = 0; k < 3; ++k)
            d.labelTemplate().keisenns.append(Keisenn());
        for (int i = 0; i < pages * 4; ++i)
            d.sheets().append(sheet({0, 0, 10, -10}));
        for (int i = 0; i < pages * 20; ++i)
            d.textRects().append(region({0, 0, 50, -50}, 1, 0));
        for (int i = 0; i < pages * 3; ++i)
            d.keisenns().append(Keisenn());
        d.templateMode = templateMode;
        const PageRenderer::PageObjects o = PageRenderer::pageObjects(d, page);
        QCOMPARE((QList<int>{o.firstSheet, o.sheetCount, o.firstRegion, o.regionCount, o.firstLine,
                             o.lineCount}),
                 expected);
    }

    void layers_data()
    {
        QTest::addColumn<int>("layerA");
        QTest::addColumn<int>("layerB");
        QTest::addColumn<int>("displayed");
        QTest::addColumn<QColor>("overlap");
        QTest::addColumn<QColor>("onlyA");
        QTest::addColumn<QColor>("onlyB");
        const QColor red = Qt::red, blue = Qt::blue, white = Qt::white;
        QTest::newRow("higher layer over lower") << 2 << 1 << 0 << red << red << blue;
        QTest::newRow("lower layer under higher") << 1 << 2 << 0 << blue << red << blue;
        QTest::newRow("same layer: list order") << 4 << 4 << 0 << blue << red << blue;
        QTest::newRow("displayed layer 3") << 3 << 1 << 3 << red << red << white;
        QTest::newRow("displayed layer 1") << 3 << 1 << 1 << blue << white << blue;
        QTest::newRow("layer out of range") << 11 << 1 << 0 << blue << white << blue;
    }
    // Region A (red, listed first) and B (blue) overlap in (300..400, -300..-400).
    void layers()
    {
        QFETCH(int, layerA);
        QFETCH(int, layerB);
        QFETCH(int, displayed);
        QFETCH(QColor, overlap);
        QFETCH(QColor, onlyA);
        QFETCH(QColor, onlyB);
        document();
        addRegion(region({100, -100, 400, -400}, layerA, 0x0000FF));
        addRegion(region({300, -300, 600, -600}, layerB, 0xFF0000));
        mDoc->displayedLayer = displayed;
        const QImage image = draw(RenderMode::Preview);
        QVERIFY(near(at(image, 350, -350).rgb(), overlap, 5));
        QVERIFY(near(at(image, 200, -200).rgb(), onlyA, 5));
        QVERIFY(near(at(image, 500, -500).rgb(), onlyB, 5));
    }

    // Edit mode outlines the regions of the displayed layer only, dotted grey, an ellipse
    // for an elliptic region.
    void regionOutlines()
    {
        document();
        TextRect a = region({100, -100, 400, -400}, 3, 0xFFFFFF);
        a.backColorOff = 1;
        TextRect b = region({500, -500, 900, -900}, 1, 0xFFFFFF);
        b.backColorOff = 1;
        b.elliptic = 1;
        addRegion(a);
        addRegion(b);
        const auto grey = like(QColor(0x99, 0x99, 0x99), 20);
        auto dots = [&](const QImage& image, const QRect& area) {
            return count(image, grey, nullptr, area);
        };
        QImage image = draw(RenderMode::Edit);
        QVERIFY(dots(image, QRect(99, 150, 3, 200)) > 50);  // a's left side
        QVERIFY(dots(image, QRect(499, 690, 3, 20)) > 5);   // b's ellipse, left end
        QCOMPARE(dots(image, QRect(499, 510, 3, 20)), 0);   // not b's rectangle corner
        mDoc->displayedLayer = 3;
        image = draw(RenderMode::Edit);
        QVERIFY(dots(image, QRect(99, 150, 3, 200)) > 50);
        QCOMPARE(dots(image, QRect(499, 600, 3, 200)), 0);
        QCOMPARE(dots(draw(RenderMode::Preview), QRect(99, 150, 3, 200)), 0);
    }

    void grid_data()
    {
        QTest::addColumn<RenderMode>("mode");
        QTest::addColumn<bool>("grid");
        QTest::newRow("edit, grid on") << RenderMode::Edit << true;
        QTest::newRow("edit, grid off") << RenderMode::Edit << false;
        QTest::newRow("preview, grid on") << RenderMode::Preview << true;
    }
    // Every 50 mm cyan, every 10 mm light cyan, every 5 mm dotted light cyan; edit only.
    void grid()
    {
        QFETCH(RenderMode, mode);
        QFETCH(bool, grid);
        document();
        PageRenderer::Options o;
        o.grid = grid;
        const QImage image = draw(mode, o);
        const bool shown = grid && mode == RenderMode::Edit;
        const QColor cyan(0, 0xFF, 0xFF), light(0x99, 0xFF, 0xFF);
        auto column = [&](int x, const QColor& c) {
            return count(image, like(c, 12), nullptr, QRect(x - 1, 20, 3, 960));
        };
        QCOMPARE(column(500, cyan) >= 900, shown);
        QCOMPARE(column(300, light) >= 900, shown);
        const int dotted = column(250, light);
        if (shown)
            QVERIFY2(dotted > 200 && dotted < 800, qPrintable(QString::number(dotted)));
        else
            QCOMPARE(dotted, 0);
        // Horizontal lines run down from the paper's top edge.
        QCOMPARE(count(image, like(cyan, 12), nullptr, QRect(20, 499, 960, 3)) >= 900, shown);
        QVERIFY(near(image.pixel(275, 275), Qt::white, 0));
    }

    void bleed_data()
    {
        QTest::addColumn<RenderMode>("mode");
        QTest::addColumn<bool>("perSheet");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("preview") << RenderMode::Preview << true << true;
        QTest::newRow("edit") << RenderMode::Edit << true << true;
        QTest::newRow("print") << RenderMode::Print << true << true;
        QTest::newRow("data screen, one background") << RenderMode::Preview << false << false;
        QTest::newRow("print, one background") << RenderMode::Print << false << true;
    }
    // A sheet (200, -200, 600, -600) with bleed 20 across and 40 up and down.
    void bleed()
    {
        QFETCH(RenderMode, mode);
        QFETCH(bool, perSheet);
        QFETCH(bool, drawn);
        Sheet s = sheet({200, -200, 600, -600}, 0x00FF00);
        s.bleedX = 20;
        s.bleedY = 40;
        document({s});
        mDoc->scalars().perSheetBackgrounds = perSheet;
        const QImage image = draw(mode);
        const auto green = like(Qt::green, 10);
        QCOMPARE(green(at(image, 400, -400).rgb()), drawn);
        QCOMPARE(green(at(image, 185, -400).rgb()), drawn);
        QCOMPARE(green(at(image, 400, -165).rgb()), drawn);
        QCOMPARE(green(at(image, 400, -635).rgb()), drawn);
        QVERIFY(!green(at(image, 175, -400).rgb()));
        QVERIFY(!green(at(image, 400, -155).rgb()));
        const QRect box = RenderProbe::box(image, green);
        if (drawn)
            QCOMPARE(box, QRect(180, 160, 440, 480));
    }

    // Without per-sheet backgrounds the template shows one background, the first sheet's,
    // on the current sheet, without its elliptic clip.
    void currentSheetBackground()
    {
        Sheet first = sheet({0, 0, 400, -400}, 0x00FF00);
        first.elliptic = 1;
        document({first, sheet({500, -500, 900, -900})});
        mDoc->scalars().perSheetBackgrounds = 0;
        mDoc->scalars().currentSheetNo = 2;
        mDoc->templateMode = 1;
        const QImage image = draw(RenderMode::Preview);
        const auto green = like(Qt::green, 10);
        QVERIFY(!green(at(image, 200, -200).rgb()));
        QVERIFY(green(at(image, 505, -505).rgb())); // corner: no ellipse
        QVERIFY(green(at(image, 700, -700).rgb()));
    }

    void sheetShapes_data()
    {
        QTest::addColumn<bool>("elliptic");
        QTest::addColumn<bool>("rounded");
        QTest::addColumn<bool>("corner");
        QTest::newRow("rectangle") << false << false << true;
        QTest::newRow("rounded") << false << true << false;
        QTest::newRow("ellipse") << true << false << false;
    }
    void sheetShapes()
    {
        QFETCH(bool, elliptic);
        QFETCH(bool, rounded);
        QFETCH(bool, corner);
        Sheet s = sheet({200, -200, 600, -600}, 0x00FF00);
        s.elliptic = elliptic;
        document({s});
        mDoc->scalars().roundSheetCorners = rounded;
        const QImage image = draw(RenderMode::Preview);
        const auto green = like(Qt::green, 10);
        QVERIFY(green(at(image, 400, -400).rgb()));
        QVERIFY(green(at(image, 400, -202).rgb()));
        QCOMPARE(green(at(image, 201, -201).rgb()), corner);
    }

    // A square picture kept to its aspect in a wide sheet: centred, full height.
    void pictureAspect_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::newRow("stretched") << false;
        QTest::newRow("aspect kept") << true;
    }
    void pictureAspect()
    {
        QFETCH(bool, keep);
        Sheet s = sheet({100, -400, 900, -600});
        s.backPicture = squarePicture();
        s.keepPictureAspect = keep;
        document({s});
        const QImage image = draw(RenderMode::Preview);
        const QRect red = box(image, like(Qt::red, 10));
        if (keep)
            QCOMPARE(red, QRect(400, 400, 200, 200));
        else
            QCOMPARE(red, QRect(100, 400, 800, 200));

        // Edit mode names the picture instead of drawing it.
        const QImage edit = draw(RenderMode::Edit);
        QCOMPARE(count(edit, like(Qt::red, 10), nullptr, QRect(110, 410, 780, 180)), 0);
        QVERIFY(count(edit, like(QColor(0x99, 0x99, 0x99), 30), nullptr, QRect(100, 400, 60, 20)) >
                10);
    }

    void sheetFrames_data()
    {
        QTest::addColumn<RenderMode>("mode");
        QTest::addColumn<bool>("printFrames");
        QTest::addColumn<int>("current");
        QTest::addColumn<QColor>("edge");   // on the first sheet's left edge
        QTest::addColumn<QColor>("inside"); // 2 units inside it
        QTest::addColumn<int>("tolerance"); // the printed frame is antialiased
        const QColor grey(0xC0, 0xC0, 0xC0);
        QTest::newRow("edit") << RenderMode::Edit << false << 2 << QColor(0x66, 0x66, 0x66) << grey
                              << 10;
        QTest::newRow("edit, current sheet")
            << RenderMode::Edit << false << 1 << QColor(Qt::red) << grey << 10;
        QTest::newRow("preview, printed")
            << RenderMode::Preview << true << 2 << QColor(Qt::black) << QColor(Qt::white) << 0x70;
        QTest::newRow("preview, not printed")
            << RenderMode::Preview << false << 2 << grey << grey << 10;
        QTest::newRow("print, printed")
            << RenderMode::Print << true << 2 << QColor(Qt::black) << QColor(Qt::white) << 0x70;
    }
    // The first sheet has a grey background, so the white inner line of printed frames shows.
    void sheetFrames()
    {
        QFETCH(RenderMode, mode);
        QFETCH(bool, printFrames);
        QFETCH(int, current);
        QFETCH(QColor, edge);
        QFETCH(QColor, inside);
        QFETCH(int, tolerance);
        document({sheet({100, -100, 400, -400}, 0xC0C0C0), sheet({500, -100, 800, -400})});
        mDoc->scalars().printSheetFrames = printFrames;
        mDoc->scalars().currentSheetNo = current;
        const QImage image = draw(mode);
        // The line lies on the edge, within a pixel either side.
        QVERIFY(count(image, like(edge, tolerance), nullptr, QRect(98, 240, 4, 20)) >= 20);
        QVERIFY(near(image.pixel(102, 250), inside, 40));
        QVERIFY(near(image.pixel(250, 250), QColor(0xC0, 0xC0, 0xC0), 5));
    }

    // Number labels: S on green, T on blue, K on red, white text, at the reference point.
    void numberLabels()
    {
        document({sheet({100, -100, 900, -900})});
        addRegion(region({300, -300, 600, -400}, 1, 0xFFFFFF));
        mDoc->keisenns().append(Keisenn{{100, -700}, {700, -700}, 1, 0});
        mDoc->labelTemplate().keisenns.append(mDoc->keisenns().at(0));
        PageRenderer::Options o;
        o.sheetNumbers = o.regionNumbers = o.keisennNumbers = true;
        for (RenderMode mode : {RenderMode::Edit, RenderMode::Preview, RenderMode::Print}) {
            const QImage image = draw(mode, o);
            const bool shown = mode != RenderMode::Print;
            QCOMPARE(count(image, like(Qt::green, 10), nullptr, QRect(100, 100, 20, 15)) > 50,
                     shown);
            QCOMPARE(count(image, like(Qt::blue, 10), nullptr, QRect(300, 300, 20, 15)) > 50,
                     shown);
            QCOMPARE(count(image, like(Qt::red, 10), nullptr, QRect(400, 701, 20, 15)) > 50, shown);
        }
    }

    // The tracker of the selected region sits on the region at every pixel ratio (a
    // 200 % desktop draws the view into an image of ratio 2).
    void trackerFollowsPixelRatio_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }
    void trackerFollowsPixelRatio()
    {
        QFETCH(qreal, ratio);
        document();
        TextRect region;
        region.rect = {200, -200, 600, -400};
        addRegion(region);
        mDoc->selection().textRect = 0;
        QImage image = blank(int(500 * ratio), int(500 * ratio));
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        painter.setTransform(QTransform(0.5, 0, 0, -0.5, 0, 0));
        mRenderer.draw(painter, *mDoc, 1, {});
        painter.end();
        // Handles at the logical corners (100, 100) and (300, 200), none in the middle.
        for (const QPointF corner : {QPointF(100, 100), QPointF(300, 200), QPointF(200, 100)})
            QVERIFY2(dark(image.pixel((corner * ratio).toPoint())), qPrintable(QString::number(corner.x())));
        QVERIFY(!dark(image.pixel((QPointF(200, 150) * ratio).toPoint())));
        QVERIFY(!dark(image.pixel((QPointF(300, 200) * ratio * 1.3).toPoint())));
    }

    // On a high-density screen the view draws into an image of pixel ratio 1.5 or 2: its
    // letters, outlines and number labels must be the ratio-1 drawing scaled, in size and
    // place (the kept text images and the labels were placed in device pixels and then
    // scaled by the ratio again).
    void pixelRatioScalesDrawing_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("outline");
        QTest::addColumn<QColor>("ink");
        QTest::addColumn<bool>("labels");
        const QColor black(Qt::black);
        const QColor blue(Qt::blue);
        for (const qreal ratio : {1.0, 1.5, 2.0}) {
            const QByteArray r = QByteArray::number(ratio);
            QTest::newRow("horizontal " + r) << ratio << QStringLiteral("ＭＳ 明朝") << 0 << black << false;
            QTest::newRow("vertical " + r) << ratio << QStringLiteral("@ＭＳ 明朝") << 0 << black << false;
            QTest::newRow("outlined " + r) << ratio << QStringLiteral("ＭＳ ゴシック") << 4 << blue << false;
            QTest::newRow("labels " + r) << ratio << QStringLiteral("ＭＳ 明朝") << 0 << blue << true;
        }
    }
    void pixelRatioScalesDrawing()
    {
        QFETCH(qreal, ratio);
        QFETCH(QString, face);
        QFETCH(int, outline);
        QFETCH(QColor, ink);
        QFETCH(bool, labels);
        document();
        TextRect r = region({300, -200, 700, -700}, 1, 0xFFFFFF);
        r.font = FontRecord::make(face, -100, face.startsWith(QLatin1Char('@')) ? 900 : 0);
        r.text = r.attribute = QStringLiteral("山田様");
        r.outlineWidth = outline;
        r.outlineColor = 0xFF0000;
        addRegion(r);
        PageRenderer::Options options;
        options.mode = RenderMode::Preview;
        options.regionNumbers = labels;
        const auto render = [&](qreal pixelRatio) {
            QImage image = blank(int(500 * pixelRatio), int(500 * pixelRatio));
            image.setDevicePixelRatio(pixelRatio);
            QPainter painter(&image);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            painter.setTransform(QTransform(0.5, 0, 0, -0.5, 0, 0));
            mRenderer.draw(painter, *mDoc, 1, options);
            return image;
        };
        const Pixel match = labels ? like(ink, 10) : Pixel([](QRgb c) { return dark(c); });
        const Pixel outlined = like(ink, 60);
        const QImage reference = render(1);
        const QImage scaled = render(ratio);
        for (const Pixel& p : outline > 0 ? QList<Pixel>{match, outlined} : QList<Pixel>{match}) {
            const QRect want = box(reference, p);
            const QRect got = box(scaled, p);
            QVERIFY(!want.isEmpty());
            const qreal slack = ratio + 2;
            QVERIFY2(std::abs(got.left() - want.left() * ratio) <= slack &&
                         std::abs(got.top() - want.top() * ratio) <= slack &&
                         std::abs(got.right() - want.right() * ratio) <= slack + ratio &&
                         std::abs(got.bottom() - want.bottom() * ratio) <= slack + ratio,
                     qPrintable(QStringLiteral("ratio-1 box %1,%2 %3x%4, got %5,%6 %7x%8")
                                    .arg(want.x()).arg(want.y()).arg(want.width()).arg(want.height())
                                    .arg(got.x()).arg(got.y()).arg(got.width()).arg(got.height())));
            const qreal inkRatio = qreal(count(scaled, p)) / (count(reference, p) * ratio * ratio);
            QVERIFY2(inkRatio > 0.75 && inkRatio < 1.33, qPrintable(QString::number(inkRatio)));
        }
    }

    // Selected ruled lines are redrawn yellow with a blue circle at the start and a red one
    // at the end; the group rectangles are dotted, the last one blue.
    void selectionMarks()
    {
        document({sheet({100, -100, 300, -300}), sheet({400, -100, 600, -300})});
        mDoc->keisenns().append(Keisenn{{200, -500}, {800, -500}, 6, 0});
        mDoc->labelTemplate().keisenns.append(mDoc->keisenns().at(0));
        mDoc->selection().keisenns = {0};
        mDoc->selection().group = {ObjectRef{ObjectRef::SheetKind, 0},
                                   ObjectRef{ObjectRef::SheetKind, 1}};
        const QImage image = draw(RenderMode::Edit);
        QVERIFY(near(at(image, 500, -500).rgb(), QColor(0xFF, 0xFF, 0), 10));
        QVERIFY(count(image, like(Qt::blue, 60), nullptr, QRect(185, 480, 30, 40)) > 10);
        QVERIFY(count(image, like(Qt::red, 60), nullptr, QRect(785, 480, 30, 40)) > 10);
        QVERIFY(count(image, like(Qt::green, 60), nullptr, QRect(98, 150, 5, 100)) > 20);
        QVERIFY(count(image, like(Qt::blue, 60), nullptr, QRect(398, 150, 5, 100)) > 20);

        // A ruled line of the page is drawn in preview only when ruled lines are printed.
        mDoc->selection().keisenns.clear();
        mDoc->scalars().printRuledLines = 0;
        QVERIFY(!dark(at(draw(RenderMode::Preview), 500, -500).rgb()));
        QVERIFY(dark(at(draw(RenderMode::Edit), 500, -500).rgb()));
    }

    // Objects that lie off the paper are shown round it while editing (outline and the
    // selection's tracker), never printed.
    void offPaperShown_data()
    {
        QTest::addColumn<RenderMode>("mode");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("outline");
        QTest::addColumn<bool>("tracker");
        QTest::newRow("edit") << RenderMode::Edit << false << true << false;
        QTest::newRow("edit, selected") << RenderMode::Edit << true << true << true;
        QTest::newRow("preview, selected") << RenderMode::Preview << true << false << true;
        QTest::newRow("print, selected") << RenderMode::Print << true << false << false;
    }
    void offPaperShown()
    {
        QFETCH(RenderMode, mode);
        QFETCH(bool, selected);
        QFETCH(bool, outline);
        QFETCH(bool, tracker);
        document();
        addRegion(region({900, -300, 1300, -500}, 1, 0xFFFFFF));
        mDoc->selection().textRect = selected ? 0 : -1;
        PageRenderer::Options o;
        o.mode = mode;
        QImage image(1400, 1000, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(0x80, 0x80, 0x80)); // the area round the paper
        QPainter painter(&image);
        painter.setTransform(QTransform(1, 0, 0, -1, 0, 0));
        mRenderer.draw(painter, *mDoc, 1, o);
        painter.end();
        const auto grey = like(QColor(0x80, 0x80, 0x80), 8);
        const auto notGrey = [&grey](QRgb c) { return !grey(c); };
        // The right edge, 300 units past the paper, away from the handles.
        QCOMPARE(count(image, notGrey, nullptr, QRect(1298, 340, 5, 40)) > 10, outline || tracker);
        // The handle at the middle of the right edge.
        QCOMPARE(count(image, notGrey, nullptr, QRect(1290, 390, 20, 20)) > 30, tracker);
    }

    // The printed page has the sheets' and regions' content only: no paper fill, grid,
    // outlines or labels.
    void printedSubset()
    {
        document({sheet({100, -100, 900, -900})});
        addRegion(region({300, -300, 600, -400}, 1, 0x0000FF));
        PageRenderer::Options o;
        o.grid = o.sheetNumbers = o.regionNumbers = true;
        const QImage image = draw(RenderMode::Print, o);
        QCOMPARE(qAlpha(image.pixel(50, 50)), 0);
        QCOMPARE(qAlpha(image.pixel(200, 200)), 0);
        QVERIFY(near(at(image, 450, -350).rgb(), Qt::red, 5));
        QCOMPARE(box(image, [](QRgb p) { return qAlpha(p) > 0; }), QRect(300, 300, 300, 100));
    }

    // Drawing writes the height it used into the region's font record.
    // Drawing never writes into the document: the stored font height stays as it is.
    void heightNotWrittenBack_data()
    {
        QTest::addColumn<bool>("templateMode");
        QTest::newRow("data") << false;
        QTest::newRow("template") << true;
    }
    void heightNotWrittenBack()
    {
        QFETCH(bool, templateMode);
        document();
        TextRect r = region({100, -100, 500, -200}, 1, 0xFFFFFF);
        r.text = r.attribute = QStringLiteral("山田");
        addRegion(r);
        mDoc->templateMode = templateMode;
        draw(RenderMode::Preview);
        draw(RenderMode::Edit);
        const TextRectFamily& regions =
            templateMode ? mDoc->labelTemplate().regions : mDoc->textRects();
        QCOMPARE(regions.font(0).height, -100);
    }

    void parsePages_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("one") << QStringLiteral("2") << QList<int>{2};
        QTest::newRow("list and range") << QStringLiteral("1, 3-4") << QList<int>{1, 3, 4};
        QTest::newRow("open end") << QStringLiteral("4-") << QList<int>{4, 5};
        QTest::newRow("open start") << QStringLiteral("-2") << QList<int>{1, 2};
        QTest::newRow("past the end") << QStringLiteral("6") << QList<int>{};
        QTest::newRow("zero") << QStringLiteral("0") << QList<int>{};
        QTest::newRow("backwards") << QStringLiteral("3-2") << QList<int>{};
        QTest::newRow("junk") << QStringLiteral("x") << QList<int>{};
        QTest::newRow("empty part") << QStringLiteral("1,,2") << QList<int>{};
    }
    void parsePages()
    {
        QFETCH(QString, list);
        QFETCH(QList<int>, pages);
        QString error;
        QCOMPARE(PageImageExporter::parsePages(list, 5, &error), pages);
        QCOMPARE(error.isEmpty(), !pages.isEmpty());
    }

    // Pages come out as "<prefix>-<page>.png" at the size the resolution gives the paper.
    void exportPng()
    {
        document();
        mDoc->scalars().paperRect = {0, 0, 2100, -2970};
        addRegion(region({100, -100, 500, -200}, 1, 0x0000FF));
        const QString prefix = mDir.filePath(QStringLiteral("page"));
        PageRenderer::Options o;
        o.mode = RenderMode::Preview;
        QCOMPARE(PageImageExporter::exportPages(*mDoc, prefix, 150, o, {}), QString());
        const QImage image(prefix + QStringLiteral("-1.png"));
        QCOMPARE(image.size(), QSize(1241, 1754));
        QVERIFY(
            near(image.pixel(qRound(300 * 150 / 254.0), qRound(150 * 150 / 254.0)), Qt::red, 5));
        QVERIFY(!PageImageExporter::exportPages(*mDoc, prefix, 150, o, {2}).isEmpty());
        QVERIFY(!PageImageExporter::exportPages(*mDoc, prefix, 5000, o, {}).isEmpty());
        QVERIFY(!PageImageExporter::exportPages(
                     *mDoc, mDir.filePath(QStringLiteral("no/such/dir/p")), 150, o, {})
                     .isEmpty());
        QCOMPARE(PageImageExporter::fileName(QStringLiteral("a"), 7, 12),
                 QStringLiteral("a-07.png"));
    }
};

QTEST_MAIN(TestPageRender)
#include "tst_pagerender.moc"
