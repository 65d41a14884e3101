#include "PrintCommands.h"

#include "CMainFrame.h"
#include "CommandActions.h"
#include "MainStatusBar.h"
#include "widgets/CWaitDialog.h"

#include "addressbook/SentHistory.h"
#include "addressbook/ui/CAddressDataDialog.h"
#include "addressbook/ui/CSendRecordDialog.h"
#include "app/CommandIds.h"
#include "app/DocumentSession.h"
#include "model/CORINOTEDoc.h"
#include "pages/Pagination.h"
#include "pages/RecipientFieldCheck.h"
#include "pages/PicturePrintCheck.h"
#include "pages/PostalPrintCheck.h"
#include "render/PdfExporter.h"
#include "render/ui/CPrintSettingDialog.h"
#include "render/ui/CSheetOrderDialog.h"
#include "render/ui/PrinterOutput.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

using namespace CommandIds;

PrintCommands::PrintCommands(CMainFrame& frame) : QObject(&frame), mFrame(frame)
{
    const auto on = [this](int command, auto handler) {
        connect(mFrame.actions().action(command), &QAction::triggered, this, handler);
    };
    // The pages are what is printed: from template mode the template is applied first.
    on(FilePrint, [this] { mFrame.onPages([this] { print(false); }, true); });
    on(TestPrint, [this] { mFrame.onPages([this] { print(true); }, true); });
    on(ExportPdf, [this] { mFrame.onPages([this] { exportPdf(); }, true); });
    on(CommandIds::PrintSettings, [this] { printSettings(); });
    on(CommandIds::SheetOrder, [this] { sheetOrder(); });
    on(AddressBookWindow, [this] { addressBook(); });
    on(ClearReservation, [this] { clearReservation(); });
    on(ReloadReservation, [this] { reloadReservation(); });
}

bool PrintCommands::confirm(const QString& question)
{
    return QMessageBox::question(&mFrame, QStringLiteral("ORINOTE"), question,
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

void PrintCommands::showError(const QString& message)
{
    QMessageBox::warning(&mFrame, QStringLiteral("ORINOTE"), message);
}

PrintJob::Settings PrintCommands::settingsFor(const QList<int>& pages, bool calibration) const
{
    const CORINOTEDoc& doc = mFrame.document();
    PrintJob::Settings settings;
    settings.pages = pages;
    settings.offsetX = doc.printOffsetX;
    settings.offsetY = doc.printOffsetY;
    settings.calibration = calibration;
    return settings;
}

PrintJob::Progress PrintCommands::progress(const QString& title)
{
    CWaitDialog* wait = mFrame.waitDialog();
    return [wait, title](int done, int total) {
        if (!wait)
            return true;
        if (done == 1)
            wait->startWith(title, total);
        wait->advance(done);
        return true;
    };
}

// Printing and PDF share the wait cursor, the progress in the wait dialog and the redraw
// afterwards (the current page moved to the last page printed).
QString PrintCommands::runJob(const QString& title,
                              const std::function<QString(const PrintJob::Progress&)>& job)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString message = job(progress(title));
    if (CWaitDialog* wait = mFrame.waitDialog())
        wait->finish();
    QApplication::restoreOverrideCursor();
    mFrame.document().updateAllViews();
    return message;
}

QString PrintCommands::printOn(QPrinter& printer, const PrintJob::Settings& settings)
{
    return runJob(tr("印刷しています..."), [&](const PrintJob::Progress& progress) {
        return PrinterOutput::print(printer, mFrame.document(), settings, progress);
    });
}

// Cards whose postal code would print blank digit boxes are named first; Cancel stops.
bool PrintCommands::confirmPostalCodes()
{
    const QString question =
        PostalPrintCheck::question(PostalPrintCheck::problems(mFrame.document()));
    if (!question.isEmpty() && !confirm(question))
        return false;
    // Pictures that would print blank are named too.
    const QString pictures =
        PicturePrintCheck::question(PicturePrintCheck::check(mFrame.document()));
    return pictures.isEmpty() || confirm(pictures);
}

void PrintCommands::print(bool calibration)
{
    if (!confirmPostalCodes())
        return;
    CORINOTEDoc& doc = mFrame.document();
    QPrinter printer(QPrinter::HighResolution);
    PrinterOutput::prepare(printer, doc);
    QPrintDialog dialog(&printer, &mFrame);
    dialog.setMinMax(1, doc.pageCount());
    dialog.setFromTo(1, doc.pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QList<int> pages;
    if (printer.printRange() == QPrinter::PageRange) {
        for (int p = printer.fromPage(); p <= printer.toPage(); ++p)
            pages.append(p);
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        pages.append(doc.currentPage);
    }
    // The dialog may have changed the paper; the page is always the whole paper.
    PrinterOutput::fitToPaper(printer, doc);
    QString damaged;
    PrintJob::Settings settings = settingsFor(pages, calibration);
    settings.damagedPictures = &damaged;
    const QString message = printOn(printer, settings);
    if (!message.isEmpty()) {
        showError(message);
        return;
    }
    if (!damaged.isEmpty())
        showError(damaged);
    if (!calibration)
        offerHistory(pages);
}

void PrintCommands::offerHistory(const QList<int>& pages)
{
    CORINOTEDoc& doc = mFrame.document();
    if (!SentHistory::asks(doc.profile()))
        return;
    const QList<AddressRecordRef> printed = SentHistory::printedRecords(doc, pages);
    if (printed.isEmpty())
        return;
    const QDate today = QDate::currentDate();
    AddressHistory::Entry entry = SentHistory::proposal(doc.profile(), today);
    if (CSendRecordDialog::askAfterPrint(&mFrame, int(printed.size()), entry, today))
        SentHistory::record(doc, printed, entry);
}

void PrintCommands::exportPdf()
{
    if (!confirmPostalCodes())
        return;
    if (mPdfFolder.isEmpty()) {
        const QString document = mFrame.session().path();
        mPdfFolder = document.isEmpty() ? QDir::homePath() : QFileInfo(document).absolutePath();
    }
    const QString title = mFrame.session().title();
    const QString suggested =
        QDir(mPdfFolder).filePath(QFileInfo(title).completeBaseName() + QStringLiteral(".pdf"));
    const QString path = QFileDialog::getSaveFileName(&mFrame, tr("PDFに出力"), suggested,
                                                      tr("PDFファイル (*.pdf)"));
    if (path.isEmpty())
        return;
    if (exportPdfTo(path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
                        ? path
                        : path + QStringLiteral(".pdf")))
        offerHistory({});
}

bool PrintCommands::exportPdfTo(const QString& path)
{
    mPdfFolder = QFileInfo(path).absolutePath();
    QString damaged;
    PrintJob::Settings settings = settingsFor({}, false);
    settings.damagedPictures = &damaged;
    const QString message = runJob(tr("PDFに出力しています..."), [&](const PrintJob::Progress& progress) {
        return PdfExporter::exportPdf(mFrame.document(), path, settings, progress);
    });
    if (!message.isEmpty()) {
        showError(message);
        return false;
    }
    // The file is written; the labels whose pictures came out grey are named.
    if (!damaged.isEmpty())
        showError(tr("%1 に出力しました。").arg(path) + QLatin1Char('\n') + damaged);
    // Where the file went, for a while in the status bar.
    mFrame.statusPanes()->showMessage(tr("PDFファイルに出力しました: %1").arg(path), 15000);
    return true;
}

void PrintCommands::printSettings()
{
    CPrintSettingDialog::run(&mFrame, mFrame.document());
}

void PrintCommands::sheetOrder()
{
    CSheetOrderDialog::run(&mFrame, mFrame.document());
}

void PrintCommands::addressBook()
{
    CORINOTEDoc& doc = mFrame.document();
    const bool reserve = CAddressDataDialog::run(&mFrame, doc);
    if (reserve)
        buildFromReservation();
    doc.updateAllViews();
    // Records reserved onto a template that has no place for them would print blank pages.
    if (const QString missing = RecipientFieldCheck::message(doc); reserve && !missing.isEmpty())
        showError(missing);
}

// Building the pages shows the loading progress, record by record, and the wait cursor.
void PrintCommands::buildFromReservation()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CWaitDialog* wait = mFrame.waitDialog();
    Pagination::buildFromReservation(mFrame.document(), QDate::currentDate(), &mMeasurer,
                                     CWaitDialog::feed(wait));
    if (wait)
        wait->finish();
    QApplication::restoreOverrideCursor();
}

void PrintCommands::clearReservation()
{
    if (!confirm(tr("すべての印刷予約データをクリアします。よろしいですか？")))
        return;
    Pagination::clearReservation(mFrame.document(), QDate::currentDate(), &mMeasurer);
}

void PrintCommands::reloadReservation()
{
    if (!confirm(tr("印刷予約データをリロードします。よろしいですか？")))
        return;
    CORINOTEDoc& doc = mFrame.document();
    const QString limit = doc.addressBook().checkPrintLimit();
    if (!limit.isEmpty()) {
        showError(limit);
        return;
    }
    buildFromReservation();
}
