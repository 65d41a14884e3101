#include "CsvFileActions.h"

#include "CCSVDataDialog.h"

#include "datasource/CsvDataTable.h"
#include "datasource/CsvPlacement.h"
#include "datasource/CsvRecords.h"
#include "model/CORINOTEDoc.h"
#include "model/Profile.h"
#include "pages/Pagination.h"
#include "prompts/ProgressReporter.h"
#include "prompts/SessionPrompts.h"
#include "render/FontTextMeasurer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CsvFileActions", text);
}

// A (done, total) callback that starts the progress at its first call and advances it.
std::function<void(int, int)> feed(ProgressReporter* progress)
{
    if (!progress)
        return {};
    return [progress](int done, int total) {
        if (done == 0)
            progress->start(total);
        else
            progress->advance(done);
    };
}

} // namespace

CsvFileActions::CsvFileActions(CORINOTEDoc& doc, SessionPrompts& prompts, QWidget* window,
                               ProgressReporter* progress)
    : mDoc(doc), mPrompts(prompts), mWindow(window), mProgress(progress)
{
}

void CsvFileActions::takeSnapshotOnce()
{
    if (mSnapshotTaken)
        return;
    mDoc.takeUndoSnapshot(QStringLiteral("CSVファイル"));
    mSnapshotTaken = true;
}

void CsvFileActions::run()
{
    if (mDoc.templateMode != 0)
        return;
    // Asked first, as before; but the reservation is dropped only once rows are placed, so
    // that a cancelled file choice or table leaves the pages and the print as they were.
    const bool dropReservation = CsvPlacement::holdsReservation(mDoc);
    if (dropReservation &&
        !mPrompts.askOkCancel(tr("すべての印刷予約データをクリアします。よろしいですか？")))
        return;

    const QString path = choosePath();
    if (path.isEmpty())
        return;
    QStringList lines;
    const QString message = CsvDataTable::readLines(path, &lines);
    if (!message.isEmpty()) {
        mPrompts.showMessage(message);
        return;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    CsvDataTable table(std::move(lines), feed(mProgress));
    if (mProgress)
        mProgress->finish();
    QApplication::restoreOverrideCursor();
    if (const QString cut = table.longCellsMessage(); !cut.isEmpty())
        mPrompts.showMessage(cut);

    Profile* profile = mDoc.profile();
    bool asRecords = false;
    if (profile) {
        table.setFirstLineNames(profile->readInt(firstLineNamesKey(), 0) != 0);
        asRecords = profile->readInt(asRecordsKey(), 0) != 0;
    }
    const std::optional<QList<int>> rows = chooseRows(table, &asRecords);
    if (profile) {
        profile->writeInt(firstLineNamesKey(), table.firstLineNames() ? 1 : 0);
        profile->writeInt(asRecordsKey(), asRecords ? 1 : 0);
    }
    if (!rows)
        return;
    // Markers naming a column the file does not have print nothing; say which before the
    // labels come out blank.
    const QStringList missing = CsvPlacement::missingNames(mDoc, table);
    if (!missing.isEmpty())
        mPrompts.showMessage(CsvPlacement::missingNamesMessage(missing));

    takeSnapshotOnce();
    if (dropReservation) {
        Pagination::dropReservation(mDoc);
        mDoc.setModified(true);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FontTextMeasurer measurer;
    // Records need names to map the columns by.
    if (asRecords && table.firstLineNames())
        CsvRecords::place(mDoc, table, *rows, QDate::currentDate(), &measurer, feed(mProgress));
    else
        CsvPlacement::place(mDoc, table, *rows, QDate::currentDate(), &measurer, feed(mProgress));
    // Kept for a rebuild of the pages (a trip to template mode) to place the rows again.
    mDoc.placementMemory().rememberCsv(
        {path, table.firstLineNames(), asRecords && table.firstLineNames(), *rows});
    if (mProgress)
        mProgress->finish();
    QApplication::restoreOverrideCursor();
}

QString CsvFileActions::folderKey()
{
    return QStringLiteral("DIRCSV");
}

QString CsvFileActions::firstLineNamesKey()
{
    return QStringLiteral("CSVHEAD");
}

QString CsvFileActions::asRecordsKey()
{
    return QStringLiteral("CSVREC");
}

// The dialog opens in the folder a CSV file was last chosen in (other file dialogs keep
// their own folders).
QString CsvFileActions::choosePath()
{
    Profile* profile = mDoc.profile();
    const QString folder = profile ? profile->readString(folderKey(), QString()) : QString();
    QFileDialog dialog(mWindow, tr("CSVファイルを開く"), folder, tr("CSVファイル(*.csv)"));
    dialog.setObjectName(QStringLiteral("csvFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = dialog.selectedFiles().constFirst();
    if (profile)
        profile->writeString(folderKey(), QFileInfo(path).absolutePath());
    return path;
}

std::optional<QList<int>> CsvFileActions::chooseRows(CsvDataTable& table, bool* asRecords)
{
    // The dialog holds a copy only while it is open; the placement needs the table after.
    CCSVDataDialog dialog(table, mWindow);
    dialog.setAsRecords(*asRecords);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    table.setFirstLineNames(dialog.firstLineNames());
    *asRecords = dialog.asRecords();
    if (!accepted)
        return std::nullopt;
    return dialog.chosenRows();
}
