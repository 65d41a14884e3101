// A whole print job to PDF: 500 reserved records (the print limit) over four groups, an A4
// template of 12 labels with vertical and horizontal regions, merged, paginated (42 pages)
// and printed to a PDF. Targets: under 0.25 s for the whole orinote-batch command and a
// PDF under 200 KB (fonts embedded as subsets).
//
// BM_PrintJobToPdf runs the job inside this process (template, address book, pages, PDF);
// BM_BatchCommandToPdf runs the real command, start-up included. The /1 runs use the same
// template with a customer barcode under the address of every label (target: at most 25 %
// more than without).
//
// BM_BatchAgainstPeer runs the same 500 addresses on the same sheet through glabels-3-batch
// (Debian's label program, package glabels; a CSV merge into a document of five text
// objects and the sender's two lines turned a quarter) and through orinote-batch, in turn
// in every iteration, and reports how many times faster the command is (target: 30).

#include "BenchApplication.h"

#include "address/AddressBook.h"
#include "model/CORINOTEDoc.h"
#include "model/MemoryProfile.h"
#include "model/TemplateFile.h"
#include "pages/Pagination.h"
#include "render/FontTextMeasurer.h"
#include "render/PdfExporter.h"
#include "render/TextShaper.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 500;

const char16_t* const kFamilies[] = {u"佐藤", u"鈴木", u"高橋", u"田中", u"伊藤", u"渡辺",
                                     u"山本", u"中村", u"小林", u"加藤", u"吉田", u"山田"};
const char16_t* const kGiven[] = {u"太郎", u"花子", u"一郎", u"美咲", u"健太", u"陽菜"};
const char16_t* const kTowns[] = {u"東京都世田谷区桜新町1-2-3", u"神奈川県横浜市港北区日吉4-5",
                                  u"大阪府大阪市北区梅田2-8-1", u"愛知県名古屋市中区栄3-3"};

// The same sheet for glabels-3-batch: 2 × 6 labels of 105 × 49.5 mm, the regions' places
// and sizes (a region's height of 4.0 mm is an 11.3 pt font), %1 the CSV file.
constexpr char kPeerDocument[] = R"(<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
 <Template brand="ORINOTE" part="A4-12" size="A4" description="A4 12 labels">
  <Meta category="label"/>
  <Label-rectangle id="0" width="105mm" height="49.5mm" round="0mm" x_waste="0mm" y_waste="0mm">
   <Markup-margin size="0mm"/>
   <Layout nx="2" ny="6" x0="0mm" y0="0mm" dx="105mm" dy="49.5mm"/>
  </Label-rectangle>
 </Template>
 <Objects id="0" rotate="False">%2</Objects>
 <Merge type="Text/Comma/Line1Keys" src="%1"/>
</Glabels-document>
)";

QString peerText(double x, double y, double w, double h, double points, bool turned,
                 const QString& text)
{
    return QStringLiteral(R"(<Object-text x="%1mm" y="%2mm" w="%3mm" h="%4mm" justify="Left" )"
                          R"(valign="Top" auto_shrink="False" a0="%6" a1="%7" a2="%8" a3="%6" )"
                          R"(a4="0" a5="0"><Span font_family="IPAGothic" font_size="%5" )"
                          R"(font_weight="Regular" font_italic="False" color="0x000000ff" )"
                          R"(line_spacing="1">%9</Span></Object-text>)")
        .arg(x)
        .arg(y)
        .arg(w)
        .arg(h)
        .arg(points)
        .arg(turned ? 0 : 1)
        .arg(turned ? 1 : 0)
        .arg(turned ? -1 : 0)
        .arg(text);
}

struct Job
{
    QTemporaryDir dir;
    QString templatePath;
    QString barcodeTemplatePath;
    QString bookPath;
    QString peerDocumentPath;
    QString peerCsvPath;

    Job()
    {
        templatePath = dir.filePath(QStringLiteral("labels12.ont"));
        barcodeTemplatePath = dir.filePath(QStringLiteral("labels12-barcode.ont"));
        bookPath = dir.filePath(QStringLiteral("book.ona"));
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
        const auto region = [&](const QString& attribute, Rect rect, bool vertical, int size) {
            TextRect r;
            r.attribute = attribute;
            r.rect = rect;
            r.font = FontRecord::make(vertical ? QStringLiteral("@ＭＳ 明朝")
                                               : QStringLiteral("ＭＳ ゴシック"),
                                      -size, vertical ? 900 : 0);
            t.regions.append(r);
        };
        region(QStringLiteral("郵便番号(R)"), Rect{60, -40, 460, -90}, false, 40);
        region(QStringLiteral("住所1(R)"), Rect{60, -110, 1000, -170}, false, 45);
        region(QStringLiteral("住所2(R)"), Rect{120, -180, 1000, -240}, false, 45);
        region(QStringLiteral("氏名(R)"), Rect{120, -290, 800, -380}, false, 70);
        region(QStringLiteral("敬称(R)"), Rect{820, -290, 1000, -380}, false, 70);
        region(QStringLiteral("氏名(S)"), Rect{960, -60, 1020, -460}, true, 40);
        region(QStringLiteral("住所1(S)"), Rect{900, -60, 950, -460}, true, 30);

        AddressBook& book = doc.addressBook();
        book.group(AddressBook::SenderGroup)
            .appendRecord({QStringLiteral("SENDER-1"), QStringLiteral("100-0001"),
                           QStringLiteral("東京都千代田区千代田1-1"), QString(), QString(),
                           QStringLiteral("差出一郎")});
        QString csv = QStringLiteral("postal,address1,address2,name,honorific\n");
        for (int i = 0; i < kRecords; ++i) {
            CAddressData& group = book.group(i % 4);
            QStringList values(CAddressData::TextColumnCount);
            values[CAddressData::EntryNumber] =
                AddressBook::entryPrefix(i % 4) + QString::number(i + 1);
            values[CAddressData::PostalCode] =
                QStringLiteral("%1-%2").arg(100 + i % 900).arg(1000 + i, 4, 10, QLatin1Char('0'));
            values[CAddressData::Address1] = QString::fromUtf16(kTowns[i % 4]);
            values[CAddressData::Address2] = QStringLiteral("コーポ若葉%1号室").arg(100 + i % 50);
            values[CAddressData::Name] = QString::fromUtf16(kFamilies[i % 12]) +
                                         QStringLiteral("　") + QString::fromUtf16(kGiven[i % 6]);
            values[CAddressData::Honorific] = QStringLiteral("様");
            group.appendRecord(values);
            group.setFlag(group.recordCount() - 1, 1);
            csv += QStringList{values[CAddressData::PostalCode], values[CAddressData::Address1],
                               values[CAddressData::Address2], values[CAddressData::Name],
                               values[CAddressData::Honorific]}
                       .join(QLatin1Char(',')) +
                   QLatin1Char('\n');
        }
        writePeerJob(csv);
        if (!TemplateFile::save(doc, templatePath).isEmpty() || !book.storeFile(bookPath).isEmpty())
            qFatal("cannot write the benchmark job");
        region(QStringLiteral("バーコード(R)"), Rect{60, -250, 900, -280}, false, 30);
        if (!TemplateFile::save(doc, barcodeTemplatePath).isEmpty())
            qFatal("cannot write the benchmark job");
    }

    void writePeerJob(const QString& csv)
    {
        peerCsvPath = dir.filePath(QStringLiteral("peer.csv"));
        peerDocumentPath = dir.filePath(QStringLiteral("peer.glabels"));
        const QString objects =
            peerText(6, 4, 40, 5, 11.3, false, QStringLiteral("${postal}")) +
            peerText(6, 11, 94, 6, 12.8, false, QStringLiteral("${address1}")) +
            peerText(12, 18, 88, 6, 12.8, false, QStringLiteral("${address2}")) +
            peerText(12, 29, 68, 9, 19.8, false, QStringLiteral("${name}")) +
            peerText(82, 29, 18, 9, 19.8, false, QStringLiteral("${honorific}")) +
            peerText(102, 6, 40, 6, 11.3, true, QStringLiteral("差出一郎")) +
            peerText(95, 6, 40, 5, 8.5, true, QStringLiteral("東京都千代田区千代田1-1"));
        QFile c(peerCsvPath);
        QFile d(peerDocumentPath);
        if (!c.open(QIODevice::WriteOnly) || !d.open(QIODevice::WriteOnly) ||
            c.write(csv.toUtf8()) < 0 ||
            d.write(QString::fromUtf8(kPeerDocument).arg(peerCsvPath, objects).toUtf8()) < 0)
            qFatal("cannot write the peer's job");
    }
};

Job& job()
{
    static Job j;
    return j;
}

// The in-process job once: template, address book, pages, PDF. Returns the error, if any.
QString runJob(Job& j, bool barcode, const FontTextMeasurer& measurer, const QString& pdf,
               int* pages = nullptr)
{
    MemoryProfile profile;
    CORINOTEDoc doc(&profile);
    doc.dataFolder = j.dir.path();
    doc.newDocument();
    TemplateFile::apply(doc, barcode ? j.barcodeTemplatePath : j.templatePath);
    doc.addressBook().loadFile(j.bookPath);
    Pagination::buildFromReservation(doc, QDate(2026, 12, 7), &measurer);
    if (pages)
        *pages = doc.pageCount();
    return PdfExporter::exportPdf(doc, pdf, PrintJob::Settings());
}

void BM_PrintJobToPdf(benchmark::State& state)
{
    ensureApplication();
    Job& j = job();
    const QString pdf = j.dir.filePath(QStringLiteral("inprocess.pdf"));
    TextShaper shaper;
    const FontTextMeasurer measurer(shaper);
    for (auto _ : state) {
        int pages = 0;
        const QString error = runJob(j, state.range(0) != 0, measurer, pdf, &pages);
        if (!error.isEmpty())
            state.SkipWithError(qPrintable(error));
        state.counters["pages"] = pages;
    }
    state.counters["pdf_bytes"] = double(QFileInfo(pdf).size());
}
BENCHMARK(BM_PrintJobToPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The barcode's cost against the same job without it, the two run in turn in every
// iteration so that the machine's load weighs on both alike (target: at most 25 %).
void BM_BarcodeExtraCost(benchmark::State& state)
{
    ensureApplication();
    Job& j = job();
    const QString pdf = j.dir.filePath(QStringLiteral("extra.pdf"));
    TextShaper shaper;
    const FontTextMeasurer measurer(shaper);
    double without = 0;
    double with = 0;
    for (auto _ : state) {
        for (const bool barcode : {false, true}) {
            QElapsedTimer clock;
            clock.start();
            const QString error = runJob(j, barcode, measurer, pdf);
            (barcode ? with : without) += double(clock.nsecsElapsed());
            if (!error.isEmpty())
                state.SkipWithError(qPrintable(error));
        }
    }
    state.counters["extra_percent"] = without > 0 ? 100.0 * (with / without - 1.0) : 0.0;
}
BENCHMARK(BM_BarcodeExtraCost)->Unit(benchmark::kMillisecond)->MinTime(5)->UseRealTime();

void BM_BatchCommandToPdf(benchmark::State& state)
{
    Job& j = job();
    const QString pdf = j.dir.filePath(QStringLiteral("batch.pdf"));
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(ORINOTE_BATCH),
                      {QStringLiteral("--data-folder"), j.dir.path(), QStringLiteral("--template"),
                       state.range(0) ? j.barcodeTemplatePath : j.templatePath,
                       QStringLiteral("--addressbook"), j.bookPath, QStringLiteral("--pdf"), pdf});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            state.SkipWithError(process.readAllStandardError().constData());
    }
    state.counters["pdf_bytes"] = double(QFileInfo(pdf).size());
}
BENCHMARK(BM_BatchCommandToPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Runs a command to its end; returns its wall time in nanoseconds, or -1 when it failed.
double timedRun(const QString& program, const QStringList& arguments, QString* error)
{
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error = program + QLatin1Char(' ') + process.errorString() + QLatin1Char(' ') +
                 QString::fromLocal8Bit(process.readAllStandardError());
        return -1;
    }
    return double(clock.nsecsElapsed());
}

void BM_BatchAgainstPeer(benchmark::State& state)
{
    Job& j = job();
    const QString peer = QStringLiteral("/usr/bin/glabels-3-batch");
    if (!QFileInfo(peer).isExecutable()) {
        state.SkipWithError("glabels-3-batch is not installed (apt-get install glabels)");
        return;
    }
    const QString ours = j.dir.filePath(QStringLiteral("ours.pdf"));
    const QString theirs = j.dir.filePath(QStringLiteral("peer.pdf"));
    const QStringList ourArguments{QStringLiteral("--data-folder"), j.dir.path(),
                                   QStringLiteral("--template"),    j.templatePath,
                                   QStringLiteral("--addressbook"), j.bookPath,
                                   QStringLiteral("--pdf"),         ours};
    const QStringList peerArguments{QStringLiteral("-o"), theirs, j.peerDocumentPath};
    double ourTime = 0;
    double peerTime = 0;
    for (auto _ : state) {
        QString error;
        const double o = timedRun(QStringLiteral(ORINOTE_BATCH), ourArguments, &error);
        const double p = o < 0 ? -1 : timedRun(peer, peerArguments, &error);
        if (p < 0) {
            state.SkipWithError(qPrintable(error));
            return;
        }
        ourTime += o;
        peerTime += p;
    }
    const double n = double(state.iterations());
    state.counters["orinote_ms"] = ourTime / n / 1e6;
    state.counters["peer_ms"] = peerTime / n / 1e6;
    state.counters["times_faster"] = ourTime > 0 ? peerTime / ourTime : 0.0;
}
BENCHMARK(BM_BatchAgainstPeer)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

} // namespace
