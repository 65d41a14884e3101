#include "CCSVListDialog.h"

#include "CsvRowsModel.h"

#include "address/AddressCsvImport.h"
#include "address/ContactCsvImport.h"
#include "address/ContactImportReport.h"
#include "address/CsvImportDefinition.h"

#include <QCheckBox>
#include <QComboBox>
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
      mDefinition(new QLineEdit(this)), mFormat(new QComboBox(this)), mHeader(mModel->rowFields(0)),
      mImport(new QPushButton(this))
{
    setWindowTitle(tr("CSVファイルからインポート"));

    mAppend->setObjectName(QStringLiteral("append"));
    mDefinition->setObjectName(QStringLiteral("definition"));
    mDefinition->setText(CsvImportDefinition::prefill(mModel->columnCount()));
    mFormat->setObjectName(QStringLiteral("format"));
    mFormat->addItem(tr("各列のデータの定義"));
    for (int p = 0; p < ContactCsvImport::PresetCount; ++p)
        mFormat->addItem(ContactCsvImport::presetName(ContactCsvImport::Preset(p)));
    connect(mFormat, &QComboBox::currentIndexChanged, mDefinition,
            [this](int index) { mDefinition->setEnabled(index == 0); });
    // A contact program's file opens on its layout; the user may still choose another.
    mFormat->setCurrentIndex(ContactCsvImport::presetOf(mHeader) + 1);

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
    definitionRow->addWidget(new QLabel(tr("形式："), this));
    definitionRow->addWidget(mFormat);
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
    const int preset = mFormat->currentIndex() - 1;
    QList<QStringList> fields;
    fields.reserve(rows.size());
    for (int row : rows) {
        QStringList rowFields = mModel->rowFields(row);
        if (preset < 0 || rowFields != mHeader) // a contact file's header names, no record
            fields.append(std::move(rowFields));
    }
    // Nothing is deleted or imported without the user's word; with nothing selected and
    // nothing to delete the press just moves on, which is how a group is skipped.
    const QString question =
        AddressCsvImport::question(mBook, mGroup, int(fields.size()), mAppend->isChecked());
    if (!question.isEmpty() && !confirm(question))
        return;
    ContactImportReport report;
    const int imported =
        preset < 0
            ? AddressCsvImport::importRows(mBook, mGroup, fields, mDefinition->text(),
                                           mAppend->isChecked(), &report)
            : AddressCsvImport::importRecords(mBook, mGroup,
                                              ContactCsvImport::records(
                                                  mHeader, fields,
                                                  ContactCsvImport::Preset(preset), &report),
                                              mAppend->isChecked());
    if (imported < 0) {
        showWarning(AddressCsvImport::noEntryNumbersMessage());
        return;
    }
    if (!report.isEmpty())
        showWarning(report.message());
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
