// Drawing speed of one A4 page of 12 sheets × 10 regions (half of them vertical, two per
// sheet with a 0.3 mm outline): every repaint of the view redraws the whole page.
// Targets: edit mode into a 1000 × 1400 image under 8 ms; preview with a 2000 × 1500 JPEG
// background on every sheet under 40 ms (pictures decoded once and kept).

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

constexpr int kColumns = 2;
constexpr int kRows = 6;

const char16_t* const kTexts[10] = {u"〒123-4567",        u"東京都世田谷区桜新町1-2-3",
                                    u"コーポ若葉201号室", u"山田　太郎　様",
                                    u"山田　花子　様",    u"ＡＢＣ株式会社",
                                    u"営業部　第二課",    u"Tel 03-1234-5678",
                                    u"「ご案内」在中",    u"差出人　鈴木一郎"};

std::unique_ptr<CORINOTEDoc> makePage(MemoryProfile& profile, const QString& picture)
{
    auto doc = std::make_unique<CORINOTEDoc>(&profile);
    doc->scalars().paperRect = {0, 0, 2100, -2970};
    doc->labelTemplate().paperRect = doc->scalars().paperRect;
    const int w = 2100 / kColumns;
    const int h = 2970 / kRows;
    for (int s = 0; s < kColumns * kRows; ++s) {
        const int left = (s % kColumns) * w;
        const int top = -(s / kColumns) * h;
        Sheet sheet;
        sheet.rect = {left, top, left + w, top - h};
        sheet.backPicture = picture;
        doc->sheets().append(sheet);
        doc->labelTemplate().sheets.append(sheet);
        for (int r = 0; r < 10; ++r) {
            TextRect region;
            const bool vertical = r % 2 == 1;
            if (vertical) {
                const int x = left + w - 60 - (r / 2) * 90;
                region.rect = {x - 80, top - 40, x, top - h + 40};
                region.font = FontRecord::make(QStringLiteral("@ＭＳ 明朝"), -80, 900);
            } else {
                const int y = top - 30 - (r / 2) * 90;
                region.rect = {left + 30, y, left + w / 2, y - 70};
                region.font = FontRecord::make(QStringLiteral("ＭＳ ゴシック"), -70, 0);
            }
            region.text = QString::fromUtf16(kTexts[r]);
            region.sheetNo = s + 1;
            if (r == 3 || r == 4)
                region.outlineWidth = 3;
            doc->textRects().append(region);
            if (s == 0)
                doc->labelTemplate().regions.append(region);
        }
    }
    return doc;
}

void drawPage(benchmark::State& state, RenderMode mode, const QSize& size, bool pictures,
              bool cold = false)
{
    ensureApplication();
    QTemporaryDir dir;
    QString picture;
    if (pictures) {
        QImage photo(2000, 1500, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
        picture = dir.filePath(QStringLiteral("photo.jpg"));
        photo.save(picture, "JPEG", 85);
    }
    MemoryProfile profile;
    auto doc = makePage(profile, picture);
    auto renderer = std::make_unique<PageRenderer>();
    PageRenderer::Options options;
    options.mode = mode;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const QTransform mapping =
        PageRenderer::screenTransform(doc->scalars().paperRect, 1.0, image.size());
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            renderer = std::make_unique<PageRenderer>();
            state.ResumeTiming();
        }
        image.fill(Qt::lightGray);
        QPainter painter(&image);
        painter.setTransform(mapping);
        renderer->draw(painter, *doc, 1, options);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DrawPageEdit(benchmark::State& state)
{
    drawPage(state, RenderMode::Edit, QSize(1000, 1400), false);
}
BENCHMARK(BM_DrawPageEdit)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first drawing with a new renderer: fonts loaded, outlines stroked, nothing kept yet
// (as after a change of page or zoom, plus the fonts).
void BM_DrawPageEditFirst(benchmark::State& state)
{
    drawPage(state, RenderMode::Edit, QSize(1000, 1400), false, true);
}
BENCHMARK(BM_DrawPageEditFirst)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DrawPagePreviewWithPhotos(benchmark::State& state)
{
    drawPage(state, RenderMode::Preview, QSize(1000, 1400), true);
}
BENCHMARK(BM_DrawPagePreviewWithPhotos)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
