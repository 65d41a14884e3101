#pragma once

#include <QDialog>
#include <QList>

class CsvDataModel;
class CsvDataTable;
class QCheckBox;
class QLabel;
class QTableView;

// "CSV差込印刷": the rows of a CSV file in a table (the line number, then one column per
// file column), "1行目は見出し" (the first line names the columns and is no row; ticked as
// the table given says), "住所録の項目として使う" (with names only: the rows go onto the
// pages as address records, CsvRecords), the number of selected rows, "すべて選択" /
// "すべて解除", and "印刷データ作成",
// which checks the selection (at most 500 rows, at least one) and closes the dialog with
// the chosen rows; the caller places them on the pages. Clicking a column's header sorts
// the rows by it: the first click of the program run ascending, every later click, on
// any column and in any of these dialogs, the other way.
class CCSVDataDialog : public QDialog
{
    Q_OBJECT
public:
    CCSVDataDialog(CsvDataTable table, QWidget* parent = nullptr);
    ~CCSVDataDialog() override;

    // The table rows the user chose, in the order shown: valid once the dialog was
    // accepted.
    const QList<int>& chosenRows() const { return mChosen; }
    const CsvDataTable& table() const;
    // Whether "1行目は見出し" is ticked.
    bool firstLineNames() const;
    // Whether "住所録の項目として使う" is ticked; it takes effect with "1行目は見出し"
    // only, and is greyed out without it.
    bool asRecords() const;
    // Ticks "住所録の項目として使う" as remembered (it takes effect with names only).
    void setAsRecords(bool records);

    // The selected rows as shown now, top to bottom (positions in the view).
    QList<int> selectedShownRows() const;
    int selectedCount() const;

    // A click on a column's header.
    void sortByColumn(int column);
    // The direction of the next sort, shared by the whole run.
    static bool nextSortAscending();
    static void resetSortDirection();

    // "印刷データ作成": refuses a selection the placement does not take, with the
    // message shown and the dialog left open; else accepts.
    void accept() override;

    QTableView* view() const { return mView; }
    CsvDataModel* model() const { return mModel; }

protected:
    // Shows a refusal (a warning message box).
    virtual void showWarning(const QString& message);

private:
    void updateCount();

    CsvDataModel* mModel;
    QTableView* mView;
    QLabel* mCount;
    QCheckBox* mFirstLineNames;
    QCheckBox* mAsRecords;
    QList<int> mChosen;
};
