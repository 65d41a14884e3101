#pragma once

#include "addressbook/AddressListPrint.h"
#include "addressbook/AddressListRows.h"

#include <QDialog>
#include <QList>

#include <memory>
#include <optional>

class AddressBookPrompts;
class AddressDialogMenus;
class AddressHistoryModel;
class AddressListModel;
class CORINOTEDoc;
class CPictureEditCtrl;
class QLabel;
class QMenu;
class QPushButton;
class QTabBar;
class QTableView;

// The address book window "住所録" (command 301 of the main window), modal over the
// document: a tab per address group and the tabs "すべて", "検索結果", "印刷予約", the
// address list of the current tab, the detail panel of the selected record, its history,
// the menu bar and the shortcut menus. Every command changes the document's groups at
// once through the address book operations (which take the undo snapshots) and then
// refills the lists; nothing is kept aside, so "終了" keeps what was done.
//
// Both "印刷予約をセットして終了" and "終了" (and closing the window by other means)
// refuse while more than 500 records are reserved.
class CAddressDataDialog : public QDialog
{
    Q_OBJECT
public:
    // Without prompts the window asks through its own dialogs.
    explicit CAddressDataDialog(CORINOTEDoc& doc, QWidget* parent = nullptr,
                                AddressBookPrompts* prompts = nullptr);
    ~CAddressDataDialog() override;

    // Runs the window over the document. True when the user closed it with
    // "印刷予約をセットして終了": the caller then builds the record list and the pages from
    // the reservation.
    static bool run(QWidget* parent, CORINOTEDoc& doc);

    // Runs a command by its number (menu bar or shortcut menu).
    void runCommand(int id);

    // The settings key of the window's size ("WSADDR").
    static QString sizeKey();

    int currentTab() const;
    // Switches tabs: the selection is cleared and the lists are filled for the tab.
    void setCurrentTab(int tab);
    // The selected address-list rows and history rows, in list order.
    QList<int> selectedRows() const;
    QList<int> selectedHistoryRows() const;

    QTabBar* tabBar() const { return mTabs; }
    QTableView* addressView() const { return mList; }
    AddressListModel* addressModel() const { return mListModel; }
    QTableView* historyView() const { return mHistory; }
    AddressHistoryModel* historyModel() const { return mHistoryModel; }
    CPictureEditCtrl* detailPanel() const { return mDetail; }
    AddressDialogMenus* menus() const { return mMenus; }
    // The shortcut menu for the current tab (the 差出人 one on tab 22).
    QMenu* contextMenu() const;

    // The close check of both buttons.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void refill();
    void selectionChanged();
    void headerClicked(int column);
    void showListMenu(QTableView* view, const QPoint& pos);
    void updateUndoActions();
    QList<AddressRecordRef> selectedRefs() const;
    bool report(const QString& message);

    void addRecord();
    void changeRecord();
    void deleteRecords();
    void reserve();
    void release();
    void setReservation(bool reserved);
    void toggleReservation();
    void makeDefaultOrder();
    void makeSender();
    void addHistory();
    void changeHistory();
    void deleteHistory();
    void search();
    void prepareCards();
    void openLinkOf(int command);
    void undo();
    void redo();
    void selectAllRecords();
    void selectAllHistory();
    void openFile();
    void saveFile();
    void updateFile();
    void restoreCopy();
    void updateTitle();
    void importCsvFile();
    void exportCsvFile();
    void importVCardFile();
    void exportVCardFile();
    // 住所録リストの印刷 of the current tab's rows in their order: to a printer, to PDF.
    void printList();
    void exportListPdf();
    // The rows of the shown tab for the list; nothing (after the message) when empty.
    std::optional<QList<AddressListPrint::Row>> listRows();

    CORINOTEDoc& mDoc;
    std::unique_ptr<AddressBookPrompts> mOwnPrompts;
    AddressBookPrompts* mPrompts;
    AddressDialogMenus* mMenus;
    QTabBar* mTabs;
    AddressListModel* mListModel;
    QTableView* mList;
    CPictureEditCtrl* mDetail;
    AddressHistoryModel* mHistoryModel;
    QTableView* mHistory;
    QPushButton* mAccept;
    QPushButton* mCancel;
    QLabel* mCount;
    QLabel* mNotice; // where a saved record went
};
