#pragma once

#include <QHash>
#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The commands of the address book window by number.
namespace AddressCommand {
enum : int
{
    OpenFile = 313,
    SaveFile = 312,
    // 上書き保存 to the file the book belongs to, and 以前の住所録を復元.
    UpdateFile = 342,
    RestoreCopy = 343,
    ImportCsv = 322,
    ExportCsv = 339,
    ImportVCard = 340,
    ExportVCard = 341,
    PrintList = 921,
    ExportListPdf = 922,
    Undo = 57643,
    Redo = 57644,
    AddRecord = 144,
    ChangeRecord = 145,
    DeleteRecords = 146,
    Reserve = 337,
    Release = 338,
    MakeDefaultOrder = 311,
    AddHistory = 318,
    ChangeHistory = 319,
    DeleteHistory = 320,
    Search = 304,
    PrepareCards = 920,
    Mail1 = 410,
    Mail2 = 411,
    MobileMail1 = 412,
    MobileMail2 = 413,
    CompanyMail = 414,
    OpenUrl = 415,
    OpenCompanyUrl = 416,
    MakeSender = 182,
    SelectAllRecords = 530,
    SelectAllHistory = 531,
    // The shortcut menu's own numbers for commands of the menu bar.
    MenuReserve = 310,
    MenuRelease = 309,
    MenuAddRecord = 330,
    MenuChangeRecord = 332,
    MenuDeleteRecords = 331,
    MenuAddHistory = 333,
    MenuChangeHistory = 335,
    MenuDeleteHistory = 336,
};

// The command a shortcut-menu number stands for (310 → 337, 330 → 144, …); other
// numbers are themselves.
int canonical(int id);
} // namespace AddressCommand

// The menu bar of the address book window ("ファイル(&F)", "編集(&E)", "機能(&K)") and
// its two shortcut menus: the one of the address and history lists on every tab but
// 差出人, and the one of the address list on 差出人. Every item calls the trigger with its
// command number as the menu gives it; AddressCommand::canonical() folds the numbers.
class AddressDialogMenus : public QObject
{
    Q_OBJECT
public:
    AddressDialogMenus(QWidget* owner, std::function<void(int)> trigger);

    QMenuBar* menuBar() const { return mMenuBar; }
    QMenu* listMenu() const { return mListMenu; }
    QMenu* senderMenu() const { return mSenderMenu; }
    // The menu bar's item for a command, or null.
    QAction* action(int id) const { return mActions.value(id); }

private:
    QAction* addItem(QMenu* menu, int id, const QString& text);

    QWidget* mOwner;
    std::function<void(int)> mTrigger;
    QMenuBar* mMenuBar;
    QMenu* mListMenu;
    QMenu* mSenderMenu;
    QHash<int, QAction*> mActions;
};
