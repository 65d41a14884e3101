#include "AddressDialogMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

int AddressCommand::canonical(int id)
{
    switch (id) {
    case MenuReserve:
        return Reserve;
    case MenuRelease:
        return Release;
    case MenuAddRecord:
        return AddRecord;
    case MenuChangeRecord:
        return ChangeRecord;
    case MenuDeleteRecords:
        return DeleteRecords;
    case MenuAddHistory:
        return AddHistory;
    case MenuChangeHistory:
        return ChangeHistory;
    case MenuDeleteHistory:
        return DeleteHistory;
    default:
        return id;
    }
}

AddressDialogMenus::AddressDialogMenus(QWidget* owner, std::function<void(int)> trigger)
    : QObject(owner), mOwner(owner), mTrigger(std::move(trigger)), mMenuBar(new QMenuBar(owner)),
      mListMenu(new QMenu(tr("ショートカットメニュー"), owner)),
      mSenderMenu(new QMenu(tr("ショートカットメニュー"), owner))
{
    using namespace AddressCommand;
    QMenu* file = mMenuBar->addMenu(tr("ファイル(&F)"));
    mActions.insert(OpenFile, addItem(file, OpenFile, tr("住所録ファイルを開く(&O)")));
    mActions.insert(UpdateFile, addItem(file, UpdateFile, tr("上書き保存(&S)")));
    mActions.insert(SaveFile, addItem(file, SaveFile, tr("住所録データの保存(&A)...")));
    mActions.insert(RestoreCopy, addItem(file, RestoreCopy, tr("以前の住所録を復元(&R)...")));
    file->addSeparator();
    mActions.insert(ImportCsv, addItem(file, ImportCsv, tr("CSVファイルからインポート(&I)")));
    mActions.insert(ExportCsv, addItem(file, ExportCsv, tr("CSVファイル出力(&C)")));
    file->addSeparator();
    mActions.insert(ImportVCard, addItem(file, ImportVCard, tr("vCardの読み込み(&V)...")));
    mActions.insert(ExportVCard, addItem(file, ExportVCard, tr("vCardファイル出力(&W)...")));
    file->addSeparator();
    mActions.insert(PrintList, addItem(file, PrintList, tr("住所録リストの印刷(&P)...")));
    mActions.insert(ExportListPdf, addItem(file, ExportListPdf, tr("住所録リストをPDFに出力(&D)...")));

    QMenu* edit = mMenuBar->addMenu(tr("編集(&E)"));
    mActions.insert(Undo, addItem(edit, Undo, tr("元に戻す(&U)")));
    mActions.insert(Redo, addItem(edit, Redo, tr("やり直し(&R)")));
    QMenu* records = edit->addMenu(tr("住所録データ(&A)"));
    mActions.insert(AddRecord, addItem(records, AddRecord, tr("追加(&A)")));
    mActions.insert(ChangeRecord, addItem(records, ChangeRecord, tr("変更(&U)")));
    mActions.insert(DeleteRecords, addItem(records, DeleteRecords, tr("削除(&D)")));
    mActions.insert(Reserve, addItem(records, Reserve, tr("印刷予約(&R)")));
    mActions.insert(Release, addItem(records, Release, tr("印刷予約解除(&C)")));
    mActions.insert(MakeDefaultOrder,
                    addItem(records, MakeDefaultOrder, tr("この順番をデフォルトにする(&T)")));
    QMenu* history = edit->addMenu(tr("送受信履歴(&H)"));
    mActions.insert(AddHistory, addItem(history, AddHistory, tr("追加(&A)")));
    mActions.insert(ChangeHistory, addItem(history, ChangeHistory, tr("変更(&U)")));
    mActions.insert(DeleteHistory, addItem(history, DeleteHistory, tr("削除(&D)")));
    mActions.insert(Search, addItem(edit, Search, tr("住所録データの検索(&S)")));
    mActions.insert(PrepareCards, addItem(edit, PrepareCards, tr("年賀状の準備(&N)...")));

    QMenu* functions = mMenuBar->addMenu(tr("機能(&K)"));
    const std::pair<int, const char*> links[] = {
        {Mail1, "E-メール1送信(&1)"},         {Mail2, "E-メール2送信(&2)"},
        {MobileMail1, "携帯メール1送信(&3)"}, {MobileMail2, "携帯メール2送信(&4)"},
        {CompanyMail, "会社メール送信(&5)"},  {OpenUrl, "URLを開く(&U)"},
        {OpenCompanyUrl, "会社URLを開く(&C)"}};
    for (const auto& [id, text] : links)
        mActions.insert(id, addItem(functions, id, tr(text)));

    const std::pair<int, const char*> listItems[] = {{MenuReserve, "印刷予約(&R)"},
                                                     {MenuRelease, "印刷予約解除(&C)"},
                                                     {MenuAddRecord, "住所録データの追加(&A)"},
                                                     {MenuChangeRecord, "住所録データの変更(&M)"},
                                                     {MenuDeleteRecords, "住所録データの削除(&D)"},
                                                     {MenuAddHistory, "送受信履歴の追加(&H)"},
                                                     {MenuChangeHistory, "送受信履歴の変更(&I)"},
                                                     {MenuDeleteHistory, "送受信履歴の削除(&J)"},
                                                     {Mail1, "E-メール1メール送信(&1)"},
                                                     {Mail2, "E-メール2メール送信(&2)"},
                                                     {MobileMail1, "携帯メール1メール送信(&3)"},
                                                     {MobileMail2, "携帯メール2メール送信(&4)"},
                                                     {CompanyMail, "会社メールメール送信(&5)"},
                                                     {OpenUrl, "URLを開く(&U)"},
                                                     {OpenCompanyUrl, "会社URLを開く(&W)"},
                                                     {SelectAllRecords, "住所録データをすべて選択(&S)"},
                                                     {SelectAllHistory, "送受信履歴をすべて選択(&T)"}};
    for (const auto& [id, text] : listItems)
        addItem(mListMenu, id, tr(text));

    const std::pair<int, const char*> senderItems[] = {
        {MakeSender, "差出人に指定(&P)"},
        {MenuAddRecord, "住所録データの追加(&A)"},
        {MenuChangeRecord, "住所録データの変更(&M)"},
        {MenuDeleteRecords, "住所録データの削除(&D)"},
        {Mail1, "E-メール1送信(&1)"},
        {Mail2, "E-メール2送信(&2)"},
        {MobileMail1, "携帯メール1送信(&3)"},
        {MobileMail2, "携帯メール2送信(&4)"},
        {CompanyMail, "会社メール送信(&5)"},
        {OpenUrl, "URLを開く(&U)"},
        {OpenCompanyUrl, "会社URLを開く(&W)"},
        {SelectAllRecords, "住所録データをすべて選択(&S)"}};
    for (const auto& [id, text] : senderItems)
        addItem(mSenderMenu, id, tr(text));
}

QAction* AddressDialogMenus::addItem(QMenu* menu, int id, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { mTrigger(id); });
    return action;
}
