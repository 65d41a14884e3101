// Editing a data-mode layout of 42 pages × 12 sheets × 10 regions (and 14 ruled lines a
// page), with the last page shown. Targets: finding what lies under the pointer (sheet,
// region and ruled line, each missed so every object of the page is tried) under 50 µs;
// one repaint of the view while a region is dragged (the page and the tracker over it,
// into a 1600 × 1000 image at zoom 100 %) under 8 ms.

#include "app/ViewGeometry.h"
#include "edit/EditLayout.h"
#include "edit/HitTest.h"
#include "edit/ToolOverlayPainter.h"
#include "edit/tools/MouseTools.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "render/PageRenderer.h"

#include "BenchApplication.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kPages = 42;
constexpr int kColumns = 2;
constexpr int kRows = 6;
constexpr int kRegions = 10;
constexpr int kLines = 14;

std::unique_ptr<CORINOTEDoc> makeLayout(MemoryProfile& profile, const QString& dataFolder)
{
    auto doc = std::make_unique<CORINOTEDoc>(&profile);
    doc->dataFolder = dataFolder;
    doc->scalars().paperRect = {0, 0, 2100, -2970};
    CLabelSheetTemplate& t = doc->labelTemplate();
    t.paperRect = doc->scalars().paperRect;
    const int w = 2100 / kColumns;
    const int h = 2970 / kRows;
    for (int page = 0; page < kPages; ++page) {
        for (int s = 0; s < kColumns * kRows; ++s) {
            const int left = (s % kColumns) * w;
            const int top = -(s / kColumns) * h;
            Sheet sheet;
            sheet.rect = {left + 20, top - 20, left + w - 20, top - h + 20};
            doc->sheets().append(sheet);
            if (page == 0)
                t.sheets.append(sheet);
            const int sheetNo = page * kColumns * kRows + s + 1;
            for (int r = 0; r < kRegions; ++r) {
                TextRect region;
                const int y = top - 40 - r * 45;
                region.rect = {left + 40, y, left + w - 40, y - 40};
                region.font = FontRecord::make(QStringLiteral("ＭＳ 明朝"), -40, 0);
                region.text = QStringLiteral("東京都世田谷区桜新町%1-2-3").arg(r + 1);
                region.sheetNo = region.orderSheetNo = sheetNo;
                doc->textRects().append(region);
                if (page == 0 && s == 0)
                    t.regions.append(region);
            }
        }
        for (int k = 0; k < kLines; ++k) {
            Keisenn line;
            line.start = {0, -200 * k - 100};
            line.end = {2100, -200 * k - 100};
            doc->keisenns().append(line);
            if (page == 0)
                t.keisenns.append(line);
        }
    }
    doc->currentPage = kPages;
    return doc;
}

void BM_HitTest(benchmark::State& state)
{
    ensureApplication();
    MemoryProfile profile;
    QTemporaryDir dir;
    auto doc = makeLayout(profile, dir.path());
    const EditLayout layout = EditLayout::of(*doc);
    // Beside every object: the gap between the two columns of sheets, between two lines.
    const QPointF p(1050, -2990);
    for (auto _ : state) {
        benchmark::DoNotOptimize(HitTest::sheetAt(layout, p));
        benchmark::DoNotOptimize(HitTest::regionAt(layout, p, 0));
        benchmark::DoNotOptimize(HitTest::lineAt(layout, p));
    }
}
BENCHMARK(BM_HitTest)->Unit(benchmark::kMicrosecond);

void BM_DragRepaint(benchmark::State& state)
{
    ensureApplication();
    MemoryProfile profile;
    QTemporaryDir dir;
    auto doc = makeLayout(profile, dir.path());
    auto tool = MouseTools::create(*doc, ToolServices());
    PageRenderer renderer;
    PageRenderer::Options options;
    QImage image(1600, 1000, QImage::Format_ARGB32_Premultiplied);
    const QTransform mapping =
        ViewGeometry::transform(doc->scalars().paperRect, 1.0, image.size(), QPoint());
    ToolEvent e;
    e.toPixels = mapping;
    e.gridUnit = 1;
    // Pick the first region of the page's last sheet by its middle and drag it.
    const Rect target = doc->textRects().rect(doc->textRects().size() - kRegions);
    e.paper = QPointF((target.left + target.right) / 2.0, (target.top + target.bottom) / 2.0);
    tool->press(e);
    if (!tool->isDragging()) {
        state.SkipWithError("the region was not picked");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        e.paper += QPointF(step % 2 ? -7 : 7, 3);
        ++step;
        tool->move(e);
        image.fill(Qt::lightGray);
        QPainter painter(&image);
        painter.setTransform(mapping);
        renderer.draw(painter, *doc, doc->currentPage, options);
        ToolOverlayPainter::paint(painter, tool->overlay());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    tool->cancel();
}
BENCHMARK(BM_DragRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
