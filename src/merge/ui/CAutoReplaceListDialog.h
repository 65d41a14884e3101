#pragma once

#include "model/AutoReplaceRule.h"

#include <QDialog>
#include <QList>

class AutoReplaceTableModel;
class CAutoReplaceData;
class QMenu;
class QTableView;

// The rules list 自動処理設定 (command 420): every rule as a row with a check box that
// enables or disables it, "追加", "削除", "変更", "終了", and a right-button menu with
// "有効", "無効" and "すべて選択". Changes are made to the rules given, at once.
//
// The rules file is written whenever the list closes; run() does that and reports a
// failed save to the user.
class CAutoReplaceListDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CAutoReplaceListDialog(CAutoReplaceData& rules, QWidget* parent = nullptr);
    ~CAutoReplaceListDialog() override;

    // Command 420: shows the list over the rules, then saves them to `rulesPath`. Returns
    // an empty string, or the message of a failed save (already shown to the user).
    static QString run(QWidget* parent, CAutoReplaceData& rules, const QString& rulesPath);

    QTableView* view() const { return mView; }
    AutoReplaceTableModel* model() const { return mModel; }

    // The buttons and menu commands.
    void addRule();
    void removeSelected();
    void changeSelected();
    void setSelectedEnabled(bool enabled);
    void selectAllRules();
    // The right-button menu of the list: "有効", "無効", "すべて選択".
    QMenu* createContextMenu();

protected:
    // Opens the rule editor on `rule`; true (with the rule edited) on OK.
    virtual bool editRule(AutoReplaceRule& rule);
    // Shows one of the list's messages.
    virtual void showMessage(const QString& text);

private:
    QList<int> selectedRows() const;
    void showContextMenu(const QPoint& pos);

    AutoReplaceTableModel* mModel;
    QTableView* mView;
};
