#include "CPrintPictureFileDialog.h"

#include "ChosenPicturesModel.h"

#include "widgets/PicturePreview.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QStringListModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

CPrintPictureFileDialog::CPrintPictureFileDialog(const QString& folder, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("画像印刷"));
    setObjectName(QStringLiteral("PrintPictureFileDialog"));
    mMessage = [this](const QString& text) { QMessageBox::warning(this, tr("ORINOTE"), text); };

    mFolderField = new QLineEdit(this);
    mFolderField->setReadOnly(true);
    mFolderField->setObjectName(QStringLiteral("folder"));
    auto* browseButton = new QPushButton(tr("フォルダの参照"), this);
    browseButton->setObjectName(QStringLiteral("browse"));
    browseButton->setAutoDefault(false);

    mFolderModel = new QStringListModel(this);
    mFolderList = new QListView(this);
    mFolderList->setObjectName(QStringLiteral("folderList"));
    mFolderList->setModel(mFolderModel);
    mFolderList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mFolderList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mFolderList->setUniformItemSizes(true);

    mPreview = new PicturePreview(this);
    mPreview->setObjectName(QStringLiteral("preview"));
    mPreview->setBackground(QColor(0x80, 0x80, 0x80));
    mPreview->setMinimumSize(220, 160);

    mChosenModel = new ChosenPicturesModel(this);
    mChosenList = new QTableView(this);
    mChosenList->setObjectName(QStringLiteral("chosenList"));
    mChosenList->setModel(mChosenModel);
    mChosenList->setSelectionBehavior(QAbstractItemView::SelectRows);
    mChosenList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mChosenList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mChosenList->verticalHeader()->hide();
    mChosenList->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    mChosenList->setShowGrid(false);
    mChosenList->setColumnWidth(0, 35);
    mChosenList->setColumnWidth(1, 200);
    mChosenList->horizontalHeader()->setStretchLastSection(true);

    const auto button = [this](const QString& text, const QString& name,
                               void (CPrintPictureFileDialog::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    connect(browseButton, &QPushButton::clicked, this, &CPrintPictureFileDialog::browse);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(
        button(tr("すべて選択"), QStringLiteral("selectAll"), &CPrintPictureFileDialog::selectAll));
    middle->addWidget(button(tr("すべて解除"), QStringLiteral("selectNone"),
                             &CPrintPictureFileDialog::selectNone));
    middle->addWidget(
        button(tr("⇒"), QStringLiteral("add"), &CPrintPictureFileDialog::addSelected));
    middle->addStretch();
    auto* chosenButtons = new QHBoxLayout;
    chosenButtons->addWidget(button(tr("リストから削除"), QStringLiteral("remove"),
                                    &CPrintPictureFileDialog::removeSelected));
    chosenButtons->addWidget(
        button(tr("すべてクリア"), QStringLiteral("clear"), &CPrintPictureFileDialog::clearChosen));
    chosenButtons->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(mFolderField, 1);
    folderRow->addWidget(browseButton);
    grid->addLayout(folderRow, 0, 0);
    grid->addWidget(mFolderList, 1, 0);
    grid->addWidget(mPreview, 2, 0);
    grid->addLayout(middle, 1, 1, 2, 1);
    grid->addWidget(mChosenList, 0, 2, 3, 1);
    grid->addLayout(chosenButtons, 3, 2);
    grid->addWidget(buttons, 4, 0, 1, 3);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    resize(680, 480);

    connect(mFolderList, &QListView::doubleClicked, this, &CPrintPictureFileDialog::enterSelected);
    connect(mFolderList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CPrintPictureFileDialog::updatePreview);

    mChooser.setFolder(folder);
    showFolder();
}

QList<int> CPrintPictureFileDialog::selectedFolderRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : mFolderList->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CPrintPictureFileDialog::showFolder()
{
    mFolderField->setText(QDir::toNativeSeparators(mChooser.folder()));
    mFolderModel->setStringList(mChooser.entries());
    updatePreview();
}

void CPrintPictureFileDialog::showChosen()
{
    mChosenModel->setPictures(mChooser.chosen());
}

void CPrintPictureFileDialog::updatePreview()
{
    const QList<int> rows = selectedFolderRows();
    const bool one = rows.size() == 1 && !mChooser.isFolderEntry(rows.first());
    mPreview->setPicture(one ? mChooser.pathOf(rows.first()) : QString());
}

void CPrintPictureFileDialog::browse()
{
    const QString chosen =
        QFileDialog::getExistingDirectory(this, tr("フォルダの参照"), mChooser.folder());
    if (chosen.isEmpty())
        return;
    mChooser.setFolder(chosen);
    showFolder();
}

void CPrintPictureFileDialog::enterSelected()
{
    const QList<int> rows = selectedFolderRows();
    if (rows.size() != 1)
        return;
    mChooser.activate(rows.first());
    showFolder();
}

void CPrintPictureFileDialog::selectAll()
{
    QItemSelection selection;
    for (const int row : mChooser.fileRows()) {
        const QModelIndex index = mFolderModel->index(row);
        selection.select(index, index);
    }
    mFolderList->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CPrintPictureFileDialog::selectNone()
{
    mFolderList->selectionModel()->clearSelection();
}

void CPrintPictureFileDialog::addSelected()
{
    mChooser.append(selectedFolderRows());
    showChosen();
}

void CPrintPictureFileDialog::removeSelected()
{
    QList<int> rows;
    for (const QModelIndex& index : mChosenList->selectionModel()->selectedRows())
        rows.append(index.row());
    if (!mChooser.remove(rows)) {
        if (mMessage)
            mMessage(tr("削除するデータを選択してください。"));
        return;
    }
    showChosen();
}

void CPrintPictureFileDialog::clearChosen()
{
    mChooser.clear();
    showChosen();
}
