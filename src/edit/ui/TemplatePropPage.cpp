#include "TemplatePropPage.h"

#include "SetupListModel.h"
#include "TemplatePagePrompts.h"

#include "model/CORINOTEDoc.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTableView>

#include <algorithm>

TemplatePropPage::TemplatePropPage(TemplatePageContext& context, QWidget* parent)
    : QWidget(parent), mContext(context), mDoc(context.doc), mSetup(context.setup)
{
}

void TemplatePropPage::makeList(const QStringList& headers, int width, std::function<int()> count,
                                std::function<qint64(int, int)> cell)
{
    mList = new QTableView(this);
    QStringList all{tr("No.")};
    all += headers;
    mModel = new SetupListModel(all, std::move(count), std::move(cell), mList);
    mList->setModel(mModel);
    mList->setSelectionBehavior(QAbstractItemView::SelectRows);
    mList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mList->setShowGrid(true);
    mList->verticalHeader()->hide();
    mList->verticalHeader()->setDefaultSectionSize(mList->fontMetrics().height() + 4);
    mList->horizontalHeader()->setHighlightSections(false);
    mList->setColumnWidth(0, 50);
    for (int c = 1; c < all.size(); ++c)
        mList->setColumnWidth(c, width);
    connect(mList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TemplatePropPage::listSelectionChanged);
}

void TemplatePropPage::refreshList()
{
    const QScopedValueRollback loading(mLoading, mLoading + 1);
    mModel->refresh();
}

QList<int> TemplatePropPage::selectedRows() const
{
    QList<int> rows;
    const QModelIndexList chosen = mList->selectionModel()->selectedRows();
    for (const QModelIndex& i : chosen)
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TemplatePropPage::selectRows(const QList<int>& rows)
{
    QItemSelection s;
    for (const int r : rows) {
        if (r >= 0 && r < mModel->rowCount())
            s.select(mModel->index(r, 0), mModel->index(r, mModel->columnCount() - 1));
    }
    QItemSelectionModel* m = mList->selectionModel();
    m->select(s, QItemSelectionModel::ClearAndSelect);
    if (!rows.isEmpty() && rows.first() >= 0 && rows.first() < mModel->rowCount()) {
        m->setCurrentIndex(mModel->index(rows.first(), 0), QItemSelectionModel::NoUpdate);
        mList->scrollTo(mModel->index(rows.first(), 0));
    }
}

void TemplatePropPage::reload()
{
    refreshList();
    mShownDocumentRows = {-2}; // shown again below, whatever it was
    followDocumentSelection();
}

void TemplatePropPage::followDocumentSelection()
{
    const QList<int> rows = documentRows();
    if (rows == mShownDocumentRows)
        return;
    mShownDocumentRows = rows;
    const QScopedValueRollback loading(mLoading, mLoading + 1);
    selectRows(rows);
    showRows(selectedRows());
}

void TemplatePropPage::listSelectionChanged()
{
    const QList<int> rows = selectedRows();
    showRows(rows);
    if (mLoading)
        return;
    if (!familyUnchanged())
        return;
    pickRows(rows);
    mShownDocumentRows = documentRows();
    emit pickedInDocument();
}

NewObjectDefaults* TemplatePropPage::defaults()
{
    NewObjectDefaults& d = mDoc.newObjectDefaults();
    return d.setByPages && !mLoading ? &d : nullptr;
}

bool TemplatePropPage::refused(const QString& message)
{
    if (message.isEmpty())
        return false;
    if (mContext.prompts)
        mContext.prompts->showMessage(message);
    return true;
}

void TemplatePropPage::copyChanged(const QList<int>& rows)
{
    // The fields keep what the user typed: the rows are chosen again without showing them.
    {
        const QSignalBlocker block(mList->selectionModel());
        mModel->refresh();
        selectRows(rows);
    }
    mList->viewport()->update();
}

QPushButton* TemplatePropPage::makeButton(const QString& text)
{
    auto* b = new QPushButton(text, this);
    b->setAutoDefault(false);
    return b;
}
