#include "CAddressDataDialog.h"

#include "AddressDialogMenus.h"
#include "AddressDialogPrompts.h"
#include "AddressHistoryModel.h"
#include "AddressListModel.h"
#include "CPictureEditCtrl.h"

#include "address/AddressCsvExport.h"
#include "address/AddressCsvImport.h"
#include "address/AgeCalculator.h"
#include "address/ContactCsvImport.h"
#include "address/ReadingGroup.h"
#include "address/VCardReader.h"
#include "addressbook/AddressBookOperations.h"
#include "addressbook/AddressBookRecovery.h"
#include "addressbook/AddressDetail.h"
#include "addressbook/AddressListPrint.h"
#include "addressbook/CardSeason.h"
#include "addressbook/VCardExchange.h"
#include "model/CORINOTEDoc.h"
#include "widgets/WindowSize.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStyle>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QToolButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using Ops = AddressBookOperations;

QList<int> sortedRows(const QTableView* view)
{
    QList<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QTableView* makeList(QWidget* parent, const QString& name)
{
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->verticalHeader()->hide();
    // Every row has the same height, so the view never measures ten thousand rows.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    return view;
}

} // namespace

CAddressDataDialog::CAddressDataDialog(CORINOTEDoc& doc, QWidget* parent,
                                       AddressBookPrompts* prompts)
    : QDialog(parent), mDoc(doc),
      mOwnPrompts(prompts ? nullptr : std::make_unique<AddressDialogPrompts>(this, doc.profile())),
      mPrompts(prompts ? prompts : mOwnPrompts.get()),
      mMenus(new AddressDialogMenus(this, [this](int id) { runCommand(id); })),
      mTabs(new QTabBar(this)), mListModel(new AddressListModel(doc, this)),
      mList(makeList(this, QStringLiteral("addressList"))), mDetail(new CPictureEditCtrl(this)),
      mHistoryModel(new AddressHistoryModel(doc, this)),
      mHistory(makeList(this, QStringLiteral("historyList"))),
      mAccept(new QPushButton(tr("印刷予約をセットして終了"), this)),
      mCancel(new QPushButton(tr("終了"), this)), mCount(new QLabel(this)),
      mNotice(new QLabel(this))
{
    updateTitle();
    buildLayout();
    setCurrentTab(AddressListRows::FirstGroupTab);
}

CAddressDataDialog::~CAddressDataDialog() = default;

bool CAddressDataDialog::run(QWidget* parent, CORINOTEDoc& doc)
{
    CAddressDataDialog dialog(doc, parent);
    return dialog.exec() == QDialog::Accepted;
}

void CAddressDataDialog::buildLayout()
{
    mTabs->setObjectName(QStringLiteral("tabs"));
    mTabs->setExpanding(false);
    mTabs->setUsesScrollButtons(true);
    for (int t = 0; t < AddressListRows::TabCount; ++t)
        mTabs->addTab(AddressListRows::tabCaption(t));
    connect(mTabs, &QTabBar::currentChanged, this, &CAddressDataDialog::refill);

    mList->setModel(mListModel);
    for (int c = 0; c < AddressListRows::ColumnCount; ++c)
        mList->setColumnWidth(c, AddressListRows::columnWidth(c));
    mList->horizontalHeader()->setSectionsClickable(true);
    connect(mList->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CAddressDataDialog::headerClicked);
    connect(mList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CAddressDataDialog::selectionChanged);
    connect(mList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { showListMenu(mList, pos); });

    mHistory->setModel(mHistoryModel);
    for (int c = 0; c < AddressHistoryModel::ColumnCount; ++c)
        mHistory->setColumnWidth(c, AddressHistoryModel::columnWidth(c));
    connect(mHistory, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { showListMenu(mHistory, pos); });

    // The keyboard and the mouse as a list user expects: double-click or Enter opens the
    // record, Delete deletes it, Ctrl+F searches.
    connect(mList, &QAbstractItemView::doubleClicked, this, &CAddressDataDialog::changeRecord);
    const auto onKeys = [this](QWidget* scope, const QKeySequence& keys, auto handler) {
        auto* shortcut = new QShortcut(keys, scope);
        shortcut->setContext(scope == this ? Qt::WindowShortcut : Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    onKeys(mList, QKeySequence(Qt::Key_Return), &CAddressDataDialog::changeRecord);
    onKeys(mList, QKeySequence(Qt::Key_Enter), &CAddressDataDialog::changeRecord);
    onKeys(mList, QKeySequence(Qt::Key_Delete), &CAddressDataDialog::deleteRecords);
    onKeys(mList, QKeySequence(Qt::Key_Insert), &CAddressDataDialog::addRecord);
    // Space, or a click on the check mark, reserves or releases.
    onKeys(mList, QKeySequence(Qt::Key_Space), &CAddressDataDialog::toggleReservation);
    mList->viewport()->installEventFilter(this);
    onKeys(this, QKeySequence(Qt::CTRL | Qt::Key_F), &CAddressDataDialog::search);
    mCount->setObjectName(QStringLiteral("count"));

    mDetail->setObjectName(QStringLiteral("detail"));
    mAccept->setObjectName(QStringLiteral("accept"));
    mCancel->setObjectName(QStringLiteral("cancel"));
    mAccept->setAutoDefault(false);
    mCancel->setAutoDefault(false);
    connect(mAccept, &QPushButton::clicked, this, &QDialog::accept);
    connect(mCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(mDetail, 3);
    bottom->addWidget(mHistory, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mCount);
    buttons->addSpacing(12);
    // The record commands a click away, as well as in the menus (Insert, Enter, Delete and
    // Ctrl+F on the list).
    // Each with its key (Alt+A, M, D, S), as the menu bar's F, E, K and the groups' G.
    const std::tuple<const char*, const char*, void (CAddressDataDialog::*)()> commands[] = {
        {"追加", "追加(&A)", &CAddressDataDialog::addRecord},
        {"変更", "変更(&M)", &CAddressDataDialog::changeRecord},
        {"削除", "削除(&D)", &CAddressDataDialog::deleteRecords},
        {"検索", "検索(&S)", &CAddressDataDialog::search}};
    for (const auto& [name, text, handler] : commands) {
        auto* button = new QPushButton(tr(text), this);
        button->setObjectName(QString::fromUtf8(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(mAccept);
    buttons->addWidget(mCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(mMenus->menuBar());
    // Every group a click away, also those past the tab bar's scroll buttons.
    auto* groups = new QToolButton(this);
    groups->setObjectName(QStringLiteral("groupsButton"));
    groups->setText(tr("グループ(&G)"));
    groups->setPopupMode(QToolButton::InstantPopup);
    groups->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* groupMenu = new QMenu(groups);
    for (int t = 0; t < AddressListRows::TabCount; ++t) {
        groupMenu->addAction(AddressListRows::tabCaption(t),
                             [this, t] { mTabs->setCurrentIndex(t); });
    }
    groups->setMenu(groupMenu);
    auto* tabRow = new QHBoxLayout;
    tabRow->addWidget(mTabs, 1);
    tabRow->addWidget(groups);
    layout->addLayout(tabRow);
    layout->addWidget(mList, 3);
    mNotice->setObjectName(QStringLiteral("notice"));
    layout->addWidget(mNotice);
    layout->addLayout(bottom, 2);
    layout->addLayout(buttons);
    WindowSize::restore(this, mDoc.profile(), sizeKey(), QSize(1000, 720));
}

QString CAddressDataDialog::sizeKey()
{
    return QStringLiteral("WSADDR");
}

int CAddressDataDialog::currentTab() const
{
    return mTabs->currentIndex();
}

void CAddressDataDialog::setCurrentTab(int tab)
{
    if (tab < 0 || tab >= AddressListRows::TabCount)
        return;
    if (mTabs->currentIndex() != tab)
        mTabs->setCurrentIndex(tab); // refills through currentChanged
    else
        refill();
}

QList<int> CAddressDataDialog::selectedRows() const
{
    return sortedRows(mList);
}

QList<int> CAddressDataDialog::selectedHistoryRows() const
{
    return sortedRows(mHistory);
}

QList<AddressRecordRef> CAddressDataDialog::selectedRefs() const
{
    return mListModel->rows().refs(selectedRows());
}

QMenu* CAddressDataDialog::contextMenu() const
{
    return currentTab() == AddressListRows::SenderTab ? mMenus->senderMenu() : mMenus->listMenu();
}

void CAddressDataDialog::refill()
{
    mListModel->refill(currentTab(), mPrompts->today());
    // A model reset drops the selection without telling: the panel and history follow here.
    mDetail->setDetail(QString(), QString());
    mHistoryModel->clear();
    updateUndoActions();
    updateTitle();
    mNotice->clear();
    mCount->setText(tr("%1件（印刷予約 %2件）")
                        .arg(mListModel->rowCount())
                        .arg(mDoc.addressBook().reservedCount()));
}

void CAddressDataDialog::selectionChanged()
{
    const QList<int> rows = selectedRows();
    if (rows.size() != 1) {
        mDetail->setDetail(QString(), QString());
        mHistoryModel->clear();
        return;
    }
    const AddressRecordRef ref = mListModel->rows().row(rows.first());
    mDetail->setDetail(AddressDetail::text(mDoc.addressBook(), ref),
                       AddressDetail::picturePath(mDoc.addressBook(), ref));
    mHistoryModel->showRecord(ref);
}

void CAddressDataDialog::headerClicked(int column)
{
    if (!mListModel->sortByHeaderClick(column))
        return;
    mDetail->setDetail(QString(), QString());
    mHistoryModel->clear();
}

void CAddressDataDialog::showListMenu(QTableView* view, const QPoint& pos)
{
    if (view == mHistory && currentTab() == AddressListRows::SenderTab)
        return;
    contextMenu()->exec(view->viewport()->mapToGlobal(pos));
}

void CAddressDataDialog::updateUndoActions()
{
    // 元に戻す and やり直し name the step they take back, as the main window's do.
    const auto named = [](const QString& command, const QString& step) {
        return step.isEmpty() ? command : command + QLatin1Char(' ') + step;
    };
    QAction* undo = mMenus->action(AddressCommand::Undo);
    undo->setEnabled(mDoc.undoAvailable != 0);
    undo->setText(named(tr("元に戻す(&U)"), mDoc.undoStepName()));
    QAction* redo = mMenus->action(AddressCommand::Redo);
    redo->setEnabled(mDoc.redoAvailable != 0);
    redo->setText(named(tr("やり直し(&R)"), mDoc.redoStepName()));
}

bool CAddressDataDialog::report(const QString& message)
{
    if (message.isEmpty())
        return false;
    mPrompts->showMessage(message, AddressBookPrompts::Icon::None);
    return true;
}

void CAddressDataDialog::runCommand(int id)
{
    using namespace AddressCommand;
    using Handler = void (CAddressDataDialog::*)();
    static const std::pair<int, Handler> handlers[] = {
        {OpenFile, &CAddressDataDialog::openFile},
        {SaveFile, &CAddressDataDialog::saveFile},
        {UpdateFile, &CAddressDataDialog::updateFile},
        {RestoreCopy, &CAddressDataDialog::restoreCopy},
        {ImportCsv, &CAddressDataDialog::importCsvFile},
        {ExportCsv, &CAddressDataDialog::exportCsvFile},
        {ImportVCard, &CAddressDataDialog::importVCardFile},
        {ExportVCard, &CAddressDataDialog::exportVCardFile},
        {PrintList, &CAddressDataDialog::printList},
        {ExportListPdf, &CAddressDataDialog::exportListPdf},
        {Undo, &CAddressDataDialog::undo},
        {Redo, &CAddressDataDialog::redo},
        {AddRecord, &CAddressDataDialog::addRecord},
        {ChangeRecord, &CAddressDataDialog::changeRecord},
        {DeleteRecords, &CAddressDataDialog::deleteRecords},
        {Reserve, &CAddressDataDialog::reserve},
        {Release, &CAddressDataDialog::release},
        {MakeDefaultOrder, &CAddressDataDialog::makeDefaultOrder},
        {MakeSender, &CAddressDataDialog::makeSender},
        {AddHistory, &CAddressDataDialog::addHistory},
        {ChangeHistory, &CAddressDataDialog::changeHistory},
        {DeleteHistory, &CAddressDataDialog::deleteHistory},
        {Search, &CAddressDataDialog::search},
        {PrepareCards, &CAddressDataDialog::prepareCards},
        {SelectAllRecords, &CAddressDataDialog::selectAllRecords},
        {SelectAllHistory, &CAddressDataDialog::selectAllHistory},
    };
    const int command = canonical(id);
    if (command >= Mail1 && command <= OpenCompanyUrl)
        return openLinkOf(command);
    for (const auto& [number, handler] : handlers) {
        if (number == command)
            return (this->*handler)();
    }
}

void CAddressDataDialog::selectAllRecords()
{
    mList->selectAll();
    mList->setFocus();
}

void CAddressDataDialog::selectAllHistory()
{
    mHistory->selectAll();
    mHistory->setFocus();
}

void CAddressDataDialog::addRecord()
{
    const int tab = currentTab();
    if (report(Ops::checkEditable(tab)))
        return;
    const int group = AddressListRows::groupOfTab(tab);
    if (report(Ops::checkEntryNumberLeft(mDoc.addressBook(), group)))
        return;
    // New records start with 様 unless 環境設定 says otherwise.
    const QString honorific =
        mDoc.environment().honorificSama != 0 ? QStringLiteral("様") : QString();
    QStringList values = Ops::newRecordValues(mDoc.addressBook(), group, honorific);
    if (!mPrompts->editRecord(values))
        return;
    // A record whose reading starts in another row goes to that row's tab, with its next
    // entry number; the line below the list says where.
    const int target = mDoc.environment().moveByReading != 0
                           ? ReadingGroup::forRecord(group, values.at(CAddressData::Reading))
                           : group;
    if (target != group)
        values[CAddressData::EntryNumber].clear();
    Ops::addRecord(mDoc, target, values);
    refill();
    if (target != group)
        mNotice->setText(tr("%1 さんは「%2」のタブに入りました。")
                             .arg(values.at(CAddressData::Name), AddressBook::groupLabel(target)));
}

void CAddressDataDialog::changeRecord()
{
    if (report(Ops::checkEditable(currentTab())))
        return;
    const QList<AddressRecordRef> refs = selectedRefs();
    if (report(Ops::checkOneRecordSelected(int(refs.size()))))
        return;
    QStringList values = Ops::recordValues(mDoc.addressBook(), refs.first());
    if (!mPrompts->editRecord(values))
        return;
    Ops::changeRecord(mDoc, refs.first(), values);
    refill();
}

void CAddressDataDialog::deleteRecords()
{
    if (report(Ops::checkEditable(currentTab())))
        return;
    const QList<AddressRecordRef> refs = selectedRefs();
    if (report(Ops::checkRecordsSelected(int(refs.size()))))
        return;
    Ops::deleteRecords(mDoc, refs);
    refill();
}

void CAddressDataDialog::reserve()
{
    setReservation(true);
}

void CAddressDataDialog::release()
{
    setReservation(false);
}

void CAddressDataDialog::setReservation(bool reserved)
{
    if (currentTab() == AddressListRows::SenderTab)
        return;
    if (report(Ops::setReservation(mDoc, currentTab(), selectedRefs(), reserved)))
        return;
    refill();
}

void CAddressDataDialog::toggleReservation()
{
    if (currentTab() == AddressListRows::SenderTab)
        return;
    const QList<int> rows = selectedRows();
    if (report(Ops::toggleReservation(mDoc, currentTab(), selectedRefs())))
        return;
    refill();
    // The rows stay selected (on 印刷予約 a released row has left the list).
    if (currentTab() != AddressListRows::ReservedTab)
        for (int row : rows)
            mList->selectionModel()->select(mListModel->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

bool CAddressDataDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mList->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QModelIndex index = mList->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::NoModifier &&
            index.isValid() && index.column() == 0) {
            // The mark is the icon at the start of the first cell.
            const QRect cell = mList->visualRect(index);
            const int width = mList->style()->pixelMetric(QStyle::PM_SmallIconSize) + 8;
            if (mouse->position().x() < cell.left() + width) {
                mList->selectionModel()->select(
                    index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                toggleReservation();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CAddressDataDialog::makeDefaultOrder()
{
    const int tab = currentTab();
    if (report(Ops::checkEditable(tab)))
        return;
    QList<int> order;
    for (const AddressRecordRef& ref : mListModel->rows().rows())
        order.append(ref.record);
    Ops::makeDefaultOrder(mDoc, AddressListRows::groupOfTab(tab), order);
    refill();
}

void CAddressDataDialog::makeSender()
{
    if (report(Ops::setSender(mDoc, selectedRefs())))
        return;
    refill();
}

void CAddressDataDialog::addHistory()
{
    const QList<AddressRecordRef> refs = selectedRefs();
    if (report(Ops::checkRecordsSelected(int(refs.size()))))
        return;
    // Senders keep no history: nothing to ask for.
    if (std::none_of(refs.begin(), refs.end(),
                     [](const AddressRecordRef& r) { return AddressHistory::hasHistory(r.group); }))
        return;
    AddressHistory::Entry entry{QString(), AgeCalculator::dateText(mPrompts->today()), QString()};
    if (!mPrompts->editHistory(entry))
        return;
    AddressHistory::add(mDoc, refs, entry);
    refill();
}

void CAddressDataDialog::changeHistory()
{
    const QList<int> rows = selectedHistoryRows();
    if (report(AddressHistory::checkOneRowSelected(int(rows.size()))))
        return;
    const int group = mHistoryModel->group();
    const int stored = mHistoryModel->storedRow(rows.first());
    AddressHistory::Entry entry = AddressHistory::entry(mDoc.addressBook(), group, stored);
    if (!mPrompts->editHistory(entry))
        return;
    AddressHistory::change(mDoc, group, stored, entry);
    refill();
}

void CAddressDataDialog::deleteHistory()
{
    const QList<int> rows = selectedHistoryRows();
    if (report(AddressHistory::checkRowsSelected(int(rows.size()))))
        return;
    QList<int> stored;
    for (int row : rows)
        stored.append(mHistoryModel->storedRow(row));
    AddressHistory::remove(mDoc, mHistoryModel->group(), stored);
    refill();
}

void CAddressDataDialog::search()
{
    AddressSearch::Criteria criteria;
    if (!mPrompts->askSearch(criteria))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    AddressSearch::run(mDoc, criteria);
    QApplication::restoreOverrideCursor();
    setCurrentTab(AddressListRows::SearchTab);
}

void CAddressDataDialog::prepareCards()
{
    CardSeason::Plan plan =
        CardSeason::plan(mDoc.addressBook(), CardSeason::defaultNewYear(mPrompts->today()));
    if (!mPrompts->confirmCardPlan(mDoc.addressBook(), plan))
        return;
    if (CardSeason::reserve(mDoc, plan))
        refill();
}

void CAddressDataDialog::openLinkOf(int command)
{
    const QList<AddressRecordRef> refs = selectedRefs();
    if (report(Ops::checkOneRecordSelected(int(refs.size()))))
        return;
    QString message;
    const QString link = Ops::linkText(mDoc.addressBook(), refs.first(), command, &message);
    if (!report(message))
        mPrompts->openLink(link);
}

void CAddressDataDialog::undo()
{
    if (mDoc.undoAvailable == 0)
        return;
    Ops::undo(mDoc);
    refill();
}

void CAddressDataDialog::redo()
{
    if (mDoc.redoAvailable == 0)
        return;
    Ops::redo(mDoc);
    refill();
}

void CAddressDataDialog::openFile()
{
    const QString path = mPrompts->chooseOpenPath(tr("住所録ファイル(*.ona)"));
    if (path.isEmpty())
        return;
    bool changed = false;
    const QString message = Ops::loadFile(mDoc, path, &changed);
    report(message);
    if (changed)
        refill();
}

void CAddressDataDialog::saveFile()
{
    const QString path =
        mPrompts->chooseSavePath(tr("住所録ファイル(*.ona)"), QStringLiteral("ona"));
    if (path.isEmpty())
        return;
    report(Ops::saveFile(mDoc, path));
    updateUndoActions();
    updateTitle();
}

void CAddressDataDialog::updateFile()
{
    const QString path = mDoc.addressBookOrigin().path();
    // A book that belongs to the document has no file of its own yet: one is asked for.
    if (path.isEmpty())
        return saveFile();
    report(Ops::saveFile(mDoc, path));
    updateUndoActions();
    updateTitle();
}

void CAddressDataDialog::restoreCopy()
{
    const QList<AddressBookRecovery::Copy> copies = AddressBookRecovery::copies(mDoc.dataFolder);
    if (copies.isEmpty()) {
        mPrompts->showMessage(tr("復元できる以前の住所録はありません。"),
                              AddressBookPrompts::Icon::None);
        return;
    }
    QStringList labels;
    for (const AddressBookRecovery::Copy& copy : copies)
        labels.append(AddressBookRecovery::label(copy));
    const int chosen = mPrompts->chooseItem(
        tr("以前の住所録を復元"),
        tr("保存しないで閉じた住所録の控えです。復元すると、今の住所録と入れ替わります\n"
           "（今の住所録に保存していない変更があれば、それも控えに残ります）。"),
        labels);
    if (chosen < 0 || chosen >= copies.size())
        return;
    const QString message = AddressBookRecovery::restore(mDoc, copies.at(chosen));
    if (!message.isEmpty())
        mPrompts->showMessage(message, AddressBookPrompts::Icon::Warning);
    refill();
}

void CAddressDataDialog::updateTitle()
{
    const QString file = mDoc.addressBookOrigin().fileName();
    setWindowTitle(file.isEmpty() ? tr("住所録") : tr("住所録 - %1").arg(file));
}

void CAddressDataDialog::importCsvFile()
{
    const QString path = mPrompts->chooseOpenPath(tr("CSVファイル(*.csv)"));
    if (path.isEmpty())
        return;
    mDoc.takeUndoSnapshot(QStringLiteral("CSVファイルからインポート"));
    updateUndoActions();
    QStringList lines;
    const QString message = AddressCsvImport::readLines(path, &lines);
    if (!message.isEmpty()) {
        mPrompts->showMessage(message, AddressBookPrompts::Icon::Warning);
        return;
    }
    const AddressBook before = mDoc.addressBook();
    mPrompts->importCsv(mDoc.addressBook(), ContactCsvImport::importLines(lines));
    Ops::groupsReplaced(mDoc, before);
    refill();
}

void CAddressDataDialog::exportCsvFile()
{
    const QList<QStringList> rows = mListModel->rows().allTexts(mDoc.addressBook());
    const QString path = mPrompts->chooseSavePath(tr("CSVファイル(*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const QString message = AddressCsvExport::write(path, rows);
    if (!message.isEmpty())
        mPrompts->showMessage(message, AddressBookPrompts::Icon::Warning);
}

void CAddressDataDialog::importVCardFile()
{
    const int tab = currentTab();
    if (report(Ops::checkEditable(tab)))
        return;
    const int group = AddressListRows::groupOfTab(tab);
    const QString path = mPrompts->chooseOpenPath(tr("vCardファイル(*.vcf *.vcard)"));
    if (path.isEmpty())
        return;
    const VCardReader::Result result = VCardReader::readFile(path);
    const QString skipped =
        VCardExchange::readerMessage(result.skippedCards, result.skippedValues, result.report);
    if (!result.error.isEmpty() || result.records.isEmpty()) {
        mPrompts->showMessage(result.error.isEmpty() ? skipped : result.error,
                              AddressBookPrompts::Icon::Warning);
        return;
    }
    const int cards = result.records.recordCount();
    if (!mPrompts->confirm(VCardExchange::importQuestion(path, group, cards)))
        return;
    if (VCardExchange::importRecords(mDoc, group, result.records) < 0) {
        mPrompts->showMessage(AddressCsvImport::noEntryNumbersMessage(),
                              AddressBookPrompts::Icon::Warning);
        return;
    }
    refill();
    if (!skipped.isEmpty())
        mPrompts->showMessage(skipped, AddressBookPrompts::Icon::Warning);
}

void CAddressDataDialog::exportVCardFile()
{
    const QList<AddressRecordRef> refs = mListModel->rows().rows();
    const QString path =
        mPrompts->chooseSavePath(tr("vCardファイル(*.vcf)"), QStringLiteral("vcf"));
    if (path.isEmpty())
        return;
    const QString message = VCardExchange::exportRecords(mDoc.addressBook(), refs, path);
    if (!message.isEmpty())
        mPrompts->showMessage(message, AddressBookPrompts::Icon::Warning);
}

std::optional<QList<AddressListPrint::Row>> CAddressDataDialog::listRows()
{
    QList<AddressListPrint::Row> rows =
        AddressListPrint::rows(mDoc.addressBook(), mListModel->rows().rows());
    if (report(AddressListPrint::checkRows(int(rows.size()))))
        return std::nullopt;
    return rows;
}

void CAddressDataDialog::printList()
{
    const auto rows = listRows();
    if (!rows)
        return;
    const QString heading = AddressListRows::tabCaption(currentTab());
    const QDate date = mPrompts->today();
    mPrompts->printPages([&](QPagedPaintDevice& device) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        AddressListPrint::paint(device, *rows, heading, date);
        QApplication::restoreOverrideCursor();
    });
}

void CAddressDataDialog::exportListPdf()
{
    const auto rows = listRows();
    if (!rows)
        return;
    const QString path = mPrompts->chooseSavePath(tr("PDFファイル(*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString message = AddressListPrint::exportPdf(
        path, *rows, AddressListRows::tabCaption(currentTab()), mPrompts->today());
    QApplication::restoreOverrideCursor();
    if (!message.isEmpty())
        mPrompts->showMessage(message, AddressBookPrompts::Icon::Warning);
}

void CAddressDataDialog::done(int result)
{
    if (report(mDoc.addressBook().checkPrintLimit()))
        return;
    WindowSize::save(this, mDoc.profile(), sizeKey());
    QDialog::done(result);
}
