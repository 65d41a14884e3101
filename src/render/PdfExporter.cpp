#include "PdfExporter.h"

#include "model/CORINOTEDoc.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PdfExporter", text);
}

} // namespace

QString PdfExporter::exportPdf(CORINOTEDoc& doc, const QString& path,
                               const PrintJob::Settings& settings,
                               const PrintJob::Progress& progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return tr("%1: PDFファイルを作成できませんでした。").arg(path);
    QString error;
    {
        QPdfWriter writer(&file);
        writer.setResolution(Resolution);
        writer.setCreator(QStringLiteral("ORINOTE"));
        const QString title = doc.scalars().templateName;
        writer.setTitle(title.isEmpty() ? QFileInfo(path).completeBaseName() : title);
        PageRenderer renderer;
        error = PrintJob::run(writer, doc, settings, renderer, progress);
    }
    if (!error.isEmpty()) {
        file.cancelWriting();
        return error;
    }
    if (!file.flush() || !file.commit())
        return tr("%1: PDFファイルの書き込みに失敗しました。").arg(path);
    return QString();
}
