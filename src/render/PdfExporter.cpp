#include "PdfExporter.h"

#include "PdfPageBoxes.h"

#include "base/SaveTarget.h"
#include "model/CORINOTEDoc.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

// A PDF page is at most 14,400 points (200 inches, 5.08 m) a side; a larger one would
// still be written, but readers refuse or clip it. In 0.1 mm.
constexpr qint64 kMaxSide = 50800;

QString tr(const char* text)
{
    return QCoreApplication::translate("PdfExporter", text);
}

} // namespace

QString PdfExporter::exportPdf(CORINOTEDoc& doc, const QString& path,
                               const PrintJob::Settings& settings,
                               const PrintJob::Progress& progress)
{
    const Rect paper = PageRenderer::paperRect(doc);
    if (paper.width() > kMaxSide || paper.height() > kMaxSide)
        return tr("%1: 用紙の大きさから画像を作れません。").arg(path);
    QSaveFile file(path);
    if (const QString refused = SaveTarget::open(file); !refused.isEmpty())
        return refused;
    // Written in memory first: the page sizes are made exact before the file is.
    QByteArray pdf;
    QString error;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(Resolution);
        writer.setCreator(QStringLiteral("ORINOTE"));
        const QString title = doc.scalars().templateName;
        writer.setTitle(title.isEmpty() ? QFileInfo(path).completeBaseName() : title);
        PageRenderer renderer;
        error = PrintJob::run(writer, doc, settings, renderer, progress);
    }
    if (error.isEmpty()) {
        const QString boxes = PdfPageBoxes::setPageSizes(
            pdf, PdfPageBoxes::pointsOf(paper.width(), paper.height()));
        if (!boxes.isEmpty())
            error = tr("%1: PDFファイルを作成できませんでした。").arg(path) + QLatin1Char('\n') + boxes;
    }
    if (!error.isEmpty()) {
        file.cancelWriting();
        return error;
    }
    if (file.write(pdf) != pdf.size() || !file.flush() || !file.commit())
        return tr("%1: PDFファイルの書き込みに失敗しました。").arg(path);
    return QString();
}
