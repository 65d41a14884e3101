#include "PrinterOutput.h"

#include "model/CORINOTEDoc.h"
#include "render/PageRenderer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PrinterOutput", text);
}

} // namespace

void PrinterOutput::fitToPaper(QPrinter& printer, const CORINOTEDoc& doc)
{
    printer.setFullPage(true);
    printer.setPageLayout(PrintJob::pageLayout(PageRenderer::paperRect(doc)));
}

void PrinterOutput::prepare(QPrinter& printer, const CORINOTEDoc& doc)
{
    // Queues without a printer description (raw ones) would otherwise get grey.
    printer.setColorMode(QPrinter::Color);
    fitToPaper(printer, doc);
    const QString name = doc.scalars().templateName;
    printer.setDocName(name.isEmpty() ? QStringLiteral("ORINOTE") : name);
    printer.setCreator(QStringLiteral("ORINOTE"));
}

QString PrinterOutput::print(CORINOTEDoc& doc, const QString& printerName,
                             const PrintJob::Settings& settings,
                             const PrintJob::Progress& progress)
{
    const QPrinterInfo info = printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                    : QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) {
        return printerName.isEmpty()
                   ? tr("通常使うプリンターが設定されていません。")
                   : tr("プリンター「%1」が見つかりません。").arg(printerName);
    }
    QPrinter printer(info, QPrinter::HighResolution);
    prepare(printer, doc);
    return print(printer, doc, settings, progress);
}

QString PrinterOutput::print(QPrinter& printer, CORINOTEDoc& doc,
                             const PrintJob::Settings& settings,
                             const PrintJob::Progress& progress)
{
    printer.setFullPage(true);
    PageRenderer renderer;
    const QString error = PrintJob::run(printer, doc, settings, renderer, progress);
    if (!error.isEmpty()) {
        printer.abort();
        return error;
    }
    if (printer.printerState() == QPrinter::Error)
        return tr("印刷中にエラーが発生しました。");
    return QString();
}
