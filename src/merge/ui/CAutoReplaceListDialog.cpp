#include "CAutoReplaceListDialog.h"

#include "AutoReplaceTableModel.h"
#include "CAutoReplaceRuleDialog.h"

#include "model/CAutoReplaceData.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

CAutoReplaceListDialog::CAutoReplaceListDialog(CAutoReplaceData& rules, QWidget* parent)
    : QDialog(parent), mModel(new AutoReplaceTableModel(&rules, this)), mView(new QTableView(this))
{
    setWindowTitle(tr("自動処理設定"));

    mView->setObjectName(QStringLiteral("rules"));
    mView->setModel(mModel);
    mView->setSelectionBehavior(QAbstractItemView::SelectRows);
    mView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mView->setShowGrid(true);
    mView->setWordWrap(false);
    mView->verticalHeader()->hide();
    mView->horizontalHeader()->setHighlightSections(false);
    mView->horizontalHeader()->setMinimumSectionSize(16); // the check box column is 25
    for (int c = 0; c < AutoReplaceTableModel::ColumnCount; ++c)
        mView->setColumnWidth(c, AutoReplaceTableModel::columnWidth(c));
    mView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mView, &QWidget::customContextMenuRequested, this,
            &CAutoReplaceListDialog::showContextMenu);

    const auto makeButton = [this](const QString& text, const QString& name,
                                   void (CAutoReplaceListDialog::*slot)()) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(
        makeButton(tr("追加"), QStringLiteral("add"), &CAutoReplaceListDialog::addRule));
    buttons->addWidget(
        makeButton(tr("削除"), QStringLiteral("remove"), &CAutoReplaceListDialog::removeSelected));
    buttons->addWidget(
        makeButton(tr("変更"), QStringLiteral("change"), &CAutoReplaceListDialog::changeSelected));
    buttons->addStretch();
    auto* close = new QPushButton(tr("終了"), this);
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mView);
    layout->addLayout(buttons);
    resize(1000, 400);
}

CAutoReplaceListDialog::~CAutoReplaceListDialog() = default;

QString CAutoReplaceListDialog::run(QWidget* parent, CAutoReplaceData& rules,
                                    const QString& rulesPath)
{
    {
        CAutoReplaceListDialog dialog(rules, parent);
        dialog.exec();
    }
    // Written however the list was closed, changed or not.
    const QString message = rules.saveFile(rulesPath);
    if (!message.isEmpty())
        QMessageBox::warning(parent, tr("自動処理設定"), message);
    return message;
}

QList<int> CAutoReplaceListDialog::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : mView->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CAutoReplaceListDialog::addRule()
{
    AutoReplaceRule rule;
    if (editRule(rule))
        mModel->appendRule(rule);
}

void CAutoReplaceListDialog::removeSelected()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        showMessage(tr("削除するデータを選択してください。"));
        return;
    }
    mModel->removeRules(rows);
}

void CAutoReplaceListDialog::changeSelected()
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        showMessage(tr("アイテムを選択してください。"));
        return;
    }
    if (rows.size() > 1) {
        showMessage(tr("一つの項目のみを選択してください。"));
        return;
    }
    AutoReplaceRule rule = mModel->rule(rows.first());
    if (editRule(rule))
        mModel->replaceRule(rows.first(), rule);
}

void CAutoReplaceListDialog::setSelectedEnabled(bool enabled)
{
    const QList<int> rows = selectedRows();
    if (rows.isEmpty()) {
        showMessage(tr("アイテムを選択してください。"));
        return;
    }
    mModel->setEnabled(rows, enabled);
}

void CAutoReplaceListDialog::selectAllRules()
{
    mView->selectAll();
}

bool CAutoReplaceListDialog::editRule(AutoReplaceRule& rule)
{
    CAutoReplaceRuleDialog dialog(rule, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    rule = dialog.rule();
    return true;
}

void CAutoReplaceListDialog::showMessage(const QString& text)
{
    QMessageBox::information(this, windowTitle(), text);
}

QMenu* CAutoReplaceListDialog::createContextMenu()
{
    auto* menu = new QMenu(this);
    connect(menu->addAction(tr("有効")), &QAction::triggered, this,
            [this] { setSelectedEnabled(true); });
    connect(menu->addAction(tr("無効")), &QAction::triggered, this,
            [this] { setSelectedEnabled(false); });
    connect(menu->addAction(tr("すべて選択")), &QAction::triggered, this,
            &CAutoReplaceListDialog::selectAllRules);
    return menu;
}

void CAutoReplaceListDialog::showContextMenu(const QPoint& pos)
{
    std::unique_ptr<QMenu> menu(createContextMenu());
    menu->exec(mView->viewport()->mapToGlobal(pos));
}
