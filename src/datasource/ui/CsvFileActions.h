#pragma once

#include <QList>
#include <QString>

#include <optional>

class CORINOTEDoc;
class CsvDataTable;
class ProgressReporter;
class SessionPrompts;
class QWidget;

// Command 418 "CSVファイル(&C)": CSV rows as the print data of data mode. Asks before it
// clears a print reservation, asks for the file, reads it, shows "CSV差込印刷" and
// places the chosen rows on the pages (CsvPlacement), with the wait cursor and the
// progress window while the table fills and while the pages are built. The first change
// to the document takes the undo snapshot, so one undo takes back the cleared
// reservation and the pages together.
class CsvFileActions
{
public:
    // The document, the prompts and the window must outlive the actions; the progress
    // (the main window's wait dialog) may be null.
    CsvFileActions(CORINOTEDoc& doc, SessionPrompts& prompts, QWidget* window,
                   ProgressReporter* progress);
    virtual ~CsvFileActions() = default;

    void run();

    // The settings key of the folder a CSV file was last chosen in ("DIRCSV", section "ON").
    static QString folderKey();
    // The settings key of "1行目は見出し" as last left in the dialog ("CSVHEAD", 0 or 1).
    static QString firstLineNamesKey();
    // The settings key of "住所録の項目として使う" as last left ("CSVREC", 0 or 1).
    static QString asRecordsKey();

protected:
    // The CSV file to read; empty when the user cancels.
    virtual QString choosePath();
    // Runs "CSV差込印刷" over the table; the chosen table rows in the order shown, or
    // nothing when it was cancelled. Leaves the table's first line as the dialog's
    // "1行目は見出し" was left, and *asRecords (ticked as it comes) as
    // "住所録の項目として使う" was, accepted or not.
    virtual std::optional<QList<int>> chooseRows(CsvDataTable& table, bool* asRecords);

private:
    void takeSnapshotOnce();

    CORINOTEDoc& mDoc;
    SessionPrompts& mPrompts;
    QWidget* mWindow;
    ProgressReporter* mProgress;
    bool mSnapshotTaken = false;
};
