#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class AddressBook;
class CsvRowsModel;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;

// The import window "CSVファイルからインポート": the rows of a CSV file in a list (one
// column per file column, captioned 1..N), the definition text saying which file column
// holds which field, the check box "現在の住所録に追加する", and the import button whose
// caption names the target group and moves on to the next group after every press.
//
// Each press changes the book at once; the caller takes the undo snapshot before the
// window opens and marks the document modified after it closes.
class CCSVListDialog : public QDialog
{
    Q_OBJECT
public:
    CCSVListDialog(AddressBook& book, const QStringList& lines, QWidget* parent = nullptr);
    ~CCSVListDialog() override;

    // Command 322 after the file was read (AddressCsvImport::readLines): runs the window
    // modally over the lines. Returns whether the book was changed (any press of the
    // import button changes it, if only by emptying a group).
    static bool run(QWidget* parent, AddressBook& book, const QStringList& lines);

    // One press of the import button.
    void importSelected();
    // A click on the list's header: sorts by that column, then flips the direction.
    void sortByColumn(int column);

    // The group the import button names now (0–18).
    int targetGroup() const { return mGroup; }
    bool bookChanged() const { return mChanged; }

    QTableView* view() const { return mView; }
    // "形式": 0 the definition text, 1 + ContactCsvImport::Preset the contact layouts, which
    // map the columns by the names of the file's first line and never import that line.
    QComboBox* format() const { return mFormat; }
    CsvRowsModel* model() const { return mModel; }

protected:
    // Asks the question of AddressCsvImport::question(); true on OK.
    virtual bool confirm(const QString& question);
    // Tells of an import that was refused.
    virtual void showWarning(const QString& message);

private:
    QList<int> selectedRows() const;
    void updateCaption();

    AddressBook& mBook;
    CsvRowsModel* mModel;
    QTableView* mView;
    QCheckBox* mAppend;
    QLineEdit* mDefinition;
    QComboBox* mFormat;
    QStringList mHeader; // the file's first line, whatever the sorting
    QPushButton* mImport;
    int mGroup = 0;
    bool mAscending = true;
    bool mChanged = false;
};
