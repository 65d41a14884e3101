#pragma once

#include "render/FontTextMeasurer.h"
#include "render/PrintJob.h"
#include "render/TextShaper.h"

#include <QObject>
#include <QString>

#include <functional>

class CMainFrame;
class QPrinter;

// The main window's printing and data-mode page commands: 印刷 (with the print dialog's
// page range), テスト印刷 (the calibration page first), PDFに出力, 印刷設定, シートオーダー,
// the address book window (whose print reservation becomes the pages), and clearing and
// reloading the print reservation.
class PrintCommands : public QObject
{
    Q_OBJECT
public:
    // Connects itself to the window's command actions.
    explicit PrintCommands(CMainFrame& frame);

    // Commands 57607 and 166: the print dialog, then the page loop. A cancelled dialog
    // prints nothing, and a pending calibration page does not outlive its job.
    void print(bool calibration);
    // PDFに出力: asks for a file name and writes the pages as they would be printed.
    void exportPdf();
    bool exportPdfTo(const QString& path);
    void printSettings();
    void sheetOrder();
    // Command 301: the address book window; closing it with "印刷予約をセットして終了"
    // rebuilds the pages from the reservation.
    void addressBook();
    // Commands 179 and 391, each after its question.
    void clearReservation();
    void reloadReservation();

    // Runs the page loop on a printer the dialog prepared; the progress shows in the
    // main window's wait dialog. Returns the message of a failure.
    QString printOn(QPrinter& printer, const PrintJob::Settings& settings);

    // After a print or PDF of address records (pages 1-based, empty for all): asks
    // whether the printed records get a history row, unless 環境設定 turned that off.
    void offerHistory(const QList<int>& pages);

private:
    bool confirm(const QString& question);
    // Asks before a job when records' postal codes would print blank boxes, and when
    // pictures of the pages cannot be drawn.
    bool confirmPostalCodes();
    PrintJob::Settings settingsFor(const QList<int>& pages, bool calibration) const;
    PrintJob::Progress progress(const QString& title);
    QString runJob(const QString& title,
                   const std::function<QString(const PrintJob::Progress&)>& job);
    void buildFromReservation();
    void showError(const QString& message);

    CMainFrame& mFrame;
    TextShaper mShaper;
    FontTextMeasurer mMeasurer{mShaper};
    QString mPdfFolder;
};
