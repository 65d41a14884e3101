#include "CCSVDataDialog.h"

#include "datasource/CsvDataModel.h"
#include "datasource/CsvPlacement.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <vector>

namespace {

constexpr int kColumnWidth = 150;
constexpr int kLineColumnWidth = 60;

// The first header click of the run sorts ascending; each later one flips the direction.
bool gSortAscending = true;

} // namespace

CCSVDataDialog::CCSVDataDialog(CsvDataTable table, QWidget* parent)
    : QDialog(parent), mModel(new CsvDataModel(std::move(table), this)),
      mView(new QTableView(this)), mCount(new QLabel(this)),
      mFirstLineNames(new QCheckBox(tr("1行目は見出し"), this)),
      mAsRecords(new QCheckBox(tr("住所録の項目として使う"), this))
{
    setWindowTitle(tr("CSV差込印刷"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);

    mView->setObjectName(QStringLiteral("rows"));
    mView->setModel(mModel);
    mView->setSelectionBehavior(QAbstractItemView::SelectRows);
    mView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mView->setShowGrid(true);
    mView->setWordWrap(false);
    // Fixed sizes everywhere: a table of a hundred thousand rows must not be measured.
    mView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    mView->verticalHeader()->hide();
    QHeaderView* header = mView->horizontalHeader();
    header->setDefaultSectionSize(kColumnWidth);
    header->resizeSection(CsvDataModel::LineColumn, kLineColumnWidth);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    connect(header, &QHeaderView::sectionClicked, this, &CCSVDataDialog::sortByColumn);
    connect(mView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CCSVDataDialog::updateCount);
    connect(mModel, &QAbstractItemModel::layoutChanged, this, &CCSVDataDialog::updateCount);
    connect(mModel, &QAbstractItemModel::modelReset, this, &CCSVDataDialog::updateCount);

    mFirstLineNames->setObjectName(QStringLiteral("firstLineNames"));
    mFirstLineNames->setChecked(mModel->table().firstLineNames());
    mAsRecords->setObjectName(QStringLiteral("asRecords"));
    mAsRecords->setToolTip(
        tr("氏名、郵便番号、住所1などの見出しの列を住所録の項目として差し込みます"));
    mAsRecords->setEnabled(mFirstLineNames->isChecked());
    connect(mFirstLineNames, &QCheckBox::toggled, this, [this](bool names) {
        mAsRecords->setEnabled(names);
        mModel->setFirstLineNames(names);
        // The rows are back in file order, and the reset sized every column alike.
        mView->horizontalHeader()->setSortIndicatorShown(false);
        mView->horizontalHeader()->resizeSection(CsvDataModel::LineColumn, kLineColumnWidth);
    });

    mCount->setObjectName(QStringLiteral("count"));
    auto* selectAll = new QPushButton(tr("すべて選択"), this);
    selectAll->setObjectName(QStringLiteral("selectAll"));
    selectAll->setAutoDefault(false);
    connect(selectAll, &QPushButton::clicked, mView, &QTableView::selectAll);
    auto* selectNone = new QPushButton(tr("すべて解除"), this);
    selectNone->setObjectName(QStringLiteral("selectNone"));
    selectNone->setAutoDefault(false);
    connect(selectNone, &QPushButton::clicked, mView, &QTableView::clearSelection);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("印刷データ作成"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("build"));
    QPushButton* cancel = buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CCSVDataDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCSVDataDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("選択アイテム数："), this));
    top->addWidget(mCount);
    top->addStretch();
    top->addWidget(mFirstLineNames);
    top->addWidget(mAsRecords);
    top->addWidget(selectAll);
    top->addWidget(selectNone);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(mView, 1);
    layout->addWidget(buttons);

    // Opened maximised; where no window manager maximises, the screen's free area.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size());
    setWindowState(windowState() | Qt::WindowMaximized);
    updateCount();
}

CCSVDataDialog::~CCSVDataDialog() = default;

const CsvDataTable& CCSVDataDialog::table() const
{
    return mModel->table();
}

bool CCSVDataDialog::firstLineNames() const
{
    return mFirstLineNames->isChecked();
}

bool CCSVDataDialog::asRecords() const
{
    return mAsRecords->isChecked();
}

void CCSVDataDialog::setAsRecords(bool records)
{
    mAsRecords->setChecked(records);
}

QList<int> CCSVDataDialog::selectedShownRows() const
{
    // Marked from the selection's ranges rather than through selectedRows(), which asks
    // every cell of every selected row whether it can be selected.
    const int n = mModel->rowCount();
    std::vector<bool> marked(size_t(n), false);
    for (const QItemSelectionRange& range : mView->selectionModel()->selection()) {
        for (int r = std::max(range.top(), 0); r <= range.bottom() && r < n; ++r)
            marked[size_t(r)] = true;
    }
    QList<int> rows;
    for (int r = 0; r < n; ++r) {
        if (marked[size_t(r)])
            rows.append(r);
    }
    return rows;
}

int CCSVDataDialog::selectedCount() const
{
    return int(selectedShownRows().size());
}

void CCSVDataDialog::updateCount()
{
    mCount->setText(QString::number(selectedCount()));
}

bool CCSVDataDialog::nextSortAscending()
{
    return gSortAscending;
}

void CCSVDataDialog::resetSortDirection()
{
    gSortAscending = true;
}

void CCSVDataDialog::sortByColumn(int column)
{
    const bool ascending = gSortAscending;
    gSortAscending = !gSortAscending;
    mModel->sortRows(column, ascending);
    mView->horizontalHeader()->setSortIndicatorShown(true);
    mView->horizontalHeader()->setSortIndicator(column, ascending ? Qt::AscendingOrder
                                                                  : Qt::DescendingOrder);
}

void CCSVDataDialog::showWarning(const QString& message)
{
    QMessageBox::warning(this, windowTitle(), message);
}

void CCSVDataDialog::accept()
{
    const QList<int> shown = selectedShownRows();
    const QString refusal = CsvPlacement::checkSelection(shown.size());
    if (!refusal.isEmpty()) {
        showWarning(refusal);
        return;
    }
    mChosen = mModel->tableRows(shown);
    QDialog::accept();
}
