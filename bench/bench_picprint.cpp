// The picture printing tool with phone photographs: 200 JPEGs of 4000 × 3000 placed one
// per label on an A4 template of 12 labels (17 pages) and printed to a PDF. Each photo
// decodes to 48 MB; the job must not hold them at once. Targets: under 2.5 s, peak memory
// under 300 MB, the pictures embedded at 300 dpi of their printed size.
//
// BM_PicturePrintToPdf places and prints inside this process; BM_BatchPicturesToPdf runs
// the real command ("--picture" 200 times), whose peak resident memory is read from the
// kernel's record of the finished child (getrusage). The photos are written into a
// temporary folder on first use: a few distinct pictures, copied to 200 files.

#include "BenchApplication.h"

#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/TemplateFile.h"
#include "picprint/PicturePlacement.h"
#include "render/PdfExporter.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

constexpr int kPictures = 200;
constexpr int kDistinct = 4;

// Peak resident memory in megabytes (Linux reports kilobytes).
double peakMegabytes(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// A photograph-like picture: gradients and noise, so JPEG cannot make it trivially small.
QImage photo(int seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(quint32(seed + 1));
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(random.bounded(24));
            line[x] = qRgb((x / 16 + seed * 60 + n) & 0xFF, (y / 12 + n) & 0xFF,
                           ((x + y) / 28 + seed * 30) & 0xFF);
        }
    }
    return image;
}

struct PictureJob
{
    QTemporaryDir dir;
    QString templatePath;
    QList<PicturePlacement::Picture> pictures;

    PictureJob()
    {
        ensureApplication();
        templatePath = dir.filePath(QStringLiteral("labels12.ont"));
        MemoryProfile profile;
        CORINOTEDoc doc(&profile);
        doc.dataFolder = dir.path();
        doc.newDocument();
        CLabelSheetTemplate& t = doc.labelTemplate();
        t.sheets.clear();
        for (int s = 0; s < 12; ++s) {
            Sheet sheet;
            const int x = (s % 2) * 1050, y = -(s / 2) * 495;
            sheet.rect = Rect{x, y, x + 1050, y - 495};
            t.sheets.append(sheet);
        }
        if (!TemplateFile::save(doc, templatePath).isEmpty())
            qFatal("cannot write the benchmark template");
        QStringList sources;
        for (int i = 0; i < kDistinct; ++i) {
            sources.append(dir.filePath(QStringLiteral("source%1.jpg").arg(i)));
            if (!photo(i).save(sources.last(), "JPEG", 90))
                qFatal("cannot write the benchmark photos");
        }
        for (int i = 0; i < kPictures; ++i) {
            const QString name = QStringLiteral("IMG_%1.JPG").arg(i + 1, 4, 10, QLatin1Char('0'));
            QFile::copy(sources.at(i % kDistinct), dir.filePath(name));
            pictures.append({name, dir.filePath(name)});
        }
    }
};

PictureJob& job()
{
    static PictureJob j;
    return j;
}

void BM_PicturePrintToPdf(benchmark::State& state)
{
    PictureJob& j = job();
    const QString pdf = j.dir.filePath(QStringLiteral("inprocess.pdf"));
    for (auto _ : state) {
        MemoryProfile profile;
        CORINOTEDoc doc(&profile);
        doc.dataFolder = j.dir.path();
        doc.newDocument();
        TemplateFile::apply(doc, j.templatePath);
        PicturePlacement::place(doc, j.pictures, {}, QDate(2026, 12, 7), nullptr);
        const QString error = PdfExporter::exportPdf(doc, pdf, PrintJob::Settings());
        if (!error.isEmpty())
            state.SkipWithError(qPrintable(error));
        state.counters["pages"] = doc.pageCount();
    }
    state.counters["pdf_MB"] = double(QFileInfo(pdf).size()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peakMegabytes(RUSAGE_SELF);
}
BENCHMARK(BM_PicturePrintToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void BM_BatchPicturesToPdf(benchmark::State& state)
{
    PictureJob& j = job();
    const QString pdf = j.dir.filePath(QStringLiteral("batch.pdf"));
    QStringList arguments{QStringLiteral("--data-folder"), j.dir.path(),
                          QStringLiteral("--template"),    j.templatePath,
                          QStringLiteral("--pdf"),         pdf};
    for (const PicturePlacement::Picture& p : j.pictures)
        arguments << QStringLiteral("--picture") << p.path;
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(ORINOTE_BATCH), arguments);
        if (!process.waitForFinished(300000) || process.exitCode() != 0)
            state.SkipWithError(process.readAllStandardError().constData());
    }
    state.counters["pdf_MB"] = double(QFileInfo(pdf).size()) / (1024.0 * 1024.0);
    // The largest of the finished children: run alone, this is the command's peak.
    state.counters["child_peak_MB"] = peakMegabytes(RUSAGE_CHILDREN);
}
BENCHMARK(BM_BatchPicturesToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace
