#include "PositionDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

PositionDialog::PositionDialog(const PositionEdit& edit, const QStringList& columns,
                               QWidget* parent)
    : QDialog(parent), mEdit(edit)
{
    showMessage = [this](const QString& text) {
        QMessageBox::warning(this, windowTitle(), text);
    };
    ask = [this](const QString& text) {
        return QMessageBox::question(this, windowTitle(), text,
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    };
    mModel = new QStandardItemModel(0, int(columns.size()), this);
    mModel->setHorizontalHeaderLabels(columns);
    mList = new QTableView(this);
    mList->setModel(mModel);
    mList->setSelectionBehavior(QAbstractItemView::SelectRows);
    mList->setSelectionMode(edit.kind() == PositionEdit::Lines
                                ? QAbstractItemView::ExtendedSelection
                                : QAbstractItemView::SingleSelection);
    mList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mList->verticalHeader()->hide();
    mList->horizontalHeader()->setDefaultSectionSize(70);
    mList->setColumnWidth(0, 50);
    mList->setMinimumWidth(50 + 70 * (int(columns.size()) - 1) + 24);
    connect(mList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PositionDialog::rowsChanged);

    mForm = new QFormLayout;
    auto* changeButton = new QPushButton(tr("変更"), this);
    connect(changeButton, &QPushButton::clicked, this, &PositionDialog::change);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PositionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* fields = new QVBoxLayout;
    fields->addLayout(mForm);
    fields->addWidget(changeButton, 0, Qt::AlignRight);
    fields->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(mList, 1);
    body->addLayout(fields);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addWidget(buttons);
}

QSpinBox* PositionDialog::addField(const QString& label)
{
    auto* spin = new QSpinBox(this);
    spin->setRange(-99999, 99999);
    mForm->addRow(label, spin);
    connect(spin, &QSpinBox::valueChanged, this, [this] { mPending = true; });
    return spin;
}

void PositionDialog::fillRows()
{
    mModel->setRowCount(0);
    mModel->setRowCount(mEdit.rowCount());
    for (int row = 0; row < mEdit.rowCount(); ++row)
        refreshRow(row);
}

void PositionDialog::refreshRow(int row)
{
    const QStringList texts = rowTexts(row);
    for (int c = 0; c < texts.size(); ++c) {
        auto* item = new QStandardItem(texts.at(c));
        if (c > 0)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        mModel->setItem(row, c, item);
    }
}

QList<int> PositionDialog::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& i : mList->selectionModel()->selectedRows())
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void PositionDialog::selectRows(const QList<int>& rows)
{
    QItemSelection selection;
    for (const int row : rows) {
        if (row >= 0 && row < mModel->rowCount())
            selection.select(mModel->index(row, 0), mModel->index(row, mModel->columnCount() - 1));
    }
    mList->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!rows.isEmpty())
        mList->scrollTo(mModel->index(rows.first(), 0));
}

void PositionDialog::rowsChanged()
{
    const QList<int> rows = selectedRows();
    if (rows.size() == 1)
        showRow(rows.first());
    mPending = false;
}

bool PositionDialog::change()
{
    const QList<int> rows = selectedRows();
    const QString message = store(rows);
    if (!message.isEmpty()) {
        showMessage(message);
        return false;
    }
    for (const int row : rows)
        refreshRow(row);
    mPending = false;
    return true;
}

void PositionDialog::accept()
{
    if (mPending && !selectedRows().isEmpty() && !change())
        return;
    const QString message = checkOnOk();
    if (!message.isEmpty()) {
        showMessage(message);
        return;
    }
    QDialog::accept();
}
