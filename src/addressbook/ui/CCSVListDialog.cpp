#include "CCSVListDialog.h"

#include "CsvRowsModel.h"

#include "address/AddressCsvImport.h"
#include "address/CsvImportDefinition.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kColumnWidth = 150;

} // namespace

CCSVListDialog::CCSVListDialog(AddressBook& book, const QStringList& lines, QWidget* parent)
    : QDialog(parent), mBook(book), mModel(new CsvRowsModel(lines, this)),
      mView(new QTableView(this)), mAppend(new QCheckBox(tr("現在の住所録に追加する"), this)),
      mDefinition(new QLineEdit(this)), mImport(new QPushButton(this))
{
    setWindowTitle(tr("CSVファイルからインポート"));

    mAppend->setObjectName(QStringLiteral("append"));
    mDefinition->setObjectName(QStringLiteral("definition"));
    mDefinition->setText(CsvImportDefinition::prefill(mModel->columnCount()));

    mView->setObjectName(QStringLiteral("rows"));
    mView->setModel(mModel);
    mView->setSelectionBehavior(QAbstractItemView::SelectRows);
    mView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mView->setShowGrid(true);
    mView->setWordWrap(false);
    mView->verticalHeader()->hide();
    QHeaderView* header = mView->horizontalHeader();
    // The default size rather than one call per column: a file may have many columns.
    header->setDefaultSectionSize(kColumnWidth);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setSortIndicatorShown(false);
    connect(header, &QHeaderView::sectionClicked, this, &CCSVListDialog::sortByColumn);

    mImport->setObjectName(QStringLiteral("import"));
    mImport->setAutoDefault(false);
    connect(mImport, &QPushButton::clicked, this, &CCSVListDialog::importSelected);
    auto* close = new QPushButton(tr("インポートの終了"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    updateCaption();

    auto* definitionRow = new QHBoxLayout;
    definitionRow->addWidget(new QLabel(tr("各列のデータの定義："), this));
    definitionRow->addWidget(mDefinition, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(mImport);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mAppend);
    layout->addLayout(definitionRow);
    const QStringList explanation = CsvImportDefinition::explanationLines();
    for (int i = 0; i < explanation.size(); ++i) {
        auto* label = new QLabel(explanation.at(i), this);
        label->setObjectName(QStringLiteral("explanation%1").arg(i + 1));
        layout->addWidget(label);
    }
    layout->addWidget(mView, 1);
    layout->addLayout(buttons);
    resize(900, 560);
}

CCSVListDialog::~CCSVListDialog() = default;

bool CCSVListDialog::run(QWidget* parent, AddressBook& book, const QStringList& lines)
{
    CCSVListDialog dialog(book, lines, parent);
    dialog.exec();
    return dialog.bookChanged();
}

QList<int> CCSVListDialog::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : mView->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool CCSVListDialog::confirm(const QString& question)
{
    return QMessageBox::question(this, windowTitle(), question,
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

void CCSVListDialog::showWarning(const QString& message)
{
    QMessageBox::warning(this, windowTitle(), message);
}

void CCSVListDialog::importSelected()
{
    const QList<int> rows = selectedRows();
    // Nothing is deleted or imported without the user's word; with nothing selected and
    // nothing to delete the press just moves on, which is how a group is skipped.
    const QString question =
        AddressCsvImport::question(mBook, mGroup, int(rows.size()), mAppend->isChecked());
    if (!question.isEmpty() && !confirm(question))
        return;
    QList<QStringList> fields;
    fields.reserve(rows.size());
    for (int row : rows)
        fields.append(mModel->rowFields(row));
    if (AddressCsvImport::importRows(mBook, mGroup, fields, mDefinition->text(),
                                     mAppend->isChecked()) < 0) {
        showWarning(AddressCsvImport::noEntryNumbersMessage());
        return;
    }
    mChanged = true;
    mGroup = AddressCsvImport::nextGroup(mGroup);
    updateCaption();
}

void CCSVListDialog::sortByColumn(int column)
{
    mModel->sortRows(column, mAscending);
    mAscending = !mAscending;
}

void CCSVListDialog::updateCaption()
{
    mImport->setText(AddressCsvImport::buttonCaption(mGroup));
}
