#include "CLabelDataEditView.h"

#include "RegionPreviewBox.h"

#include "address/NameBlock.h"
#include "app/DataFormEditor.h"
#include "app/RegionListModel.h"
#include "datasource/DatabaseReception.h"
#include "model/CORINOTEDoc.h"
#include "render/FontTextMeasurer.h"
#include "widgets/NumberFields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>

#include <QScopedValueRollback>

#include <algorithm>

CLabelDataEditView::CLabelDataEditView(CORINOTEDoc& doc, QWidget* parent) : FormPane(doc, parent)
{
    setObjectName(QStringLiteral("LabelDataEditForm"));

    mDisplayedLayer = new QComboBox(this);
    mDisplayedLayer->addItem(tr("すべて"));
    for (int layer = 1; layer <= 10; ++layer)
        mDisplayedLayer->addItem(QString::number(layer));

    mText = new QPlainTextEdit(this);
    mText->setTabChangesFocus(true);
    mText->setFixedHeight(mText->fontMetrics().lineSpacing() * 3 + 12);

    // Any number may be typed; "変更" refuses a layer outside 1 … 10.
    mLayer = new QSpinBox(this);
    // Any typing is kept for "変更" to refuse out of 1 … 10 with its message (a box
    // of 0 … 99 made 100 into 10 unasked).
    NumberFields::widen(mLayer, 1, 10);
    mLayer->setValue(1);

    mApply = new QPushButton(tr("変更"), this);
    mClear = new QPushButton(tr("クリア"), this);

    mModel = new RegionListModel(mDoc, this);
    mModel->setIcons({QIcon(QStringLiteral(":/icons/region-plain.svg")),
                      QIcon(QStringLiteral(":/icons/region-color.svg")),
                      QIcon(QStringLiteral(":/icons/region-picture.svg"))});
    mList = new QTableView(this);
    mList->setModel(mModel);
    mList->setSelectionBehavior(QAbstractItemView::SelectRows);
    mList->setSelectionMode(QAbstractItemView::SingleSelection);
    mList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mList->setShowGrid(true);
    mList->setIconSize(QSize(16, 16));
    mList->verticalHeader()->hide();
    mList->verticalHeader()->setDefaultSectionSize(mList->fontMetrics().height() + 6);
    // The number columns as wide as their captions (or five digits), the text column
    // takes the rest, so every column shows in the pane's width.
    QHeaderView* header = mList->horizontalHeader();
    const QFontMetrics metrics(header->font());
    for (int c = 0; c < RegionListModel::ColumnCount; ++c) {
        if (c == RegionListModel::TextColumn) {
            header->setSectionResizeMode(c, QHeaderView::Stretch);
            continue;
        }
        const QString caption = mModel->headerData(c, Qt::Horizontal).toString();
        const int width = std::max(metrics.horizontalAdvance(caption),
                                   metrics.horizontalAdvance(QStringLiteral("99999"))) +
                          (c == RegionListModel::NumberColumn ? 40 : 16); // the icon
        header->setSectionResizeMode(c, QHeaderView::Fixed);
        mList->setColumnWidth(c, width);
    }

    mPreview = new RegionPreviewBox(mDoc, this);

    // The sender of every page, changed here without going to the address book.
    mSender = new QComboBox(this);
    mSender->setObjectName(QStringLiteral("senderCombo"));
    mSender->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    mSender->setMinimumContentsLength(8);

    auto* layout = new QGridLayout(this);
    auto* senderLabel = new QLabel(tr("差出人(&S)："), this);
    senderLabel->setBuddy(mSender);
    layout->addWidget(senderLabel, 0, 0);
    layout->addWidget(mSender, 0, 1, 1, 3);
    auto* layerLabel = new QLabel(tr("表示レイヤー："), this);
    layerLabel->setBuddy(mDisplayedLayer);
    layout->addWidget(layerLabel, 1, 0);
    layout->addWidget(mDisplayedLayer, 1, 1);
    layout->addWidget(mText, 2, 0, 1, 4);
    auto* editLayerLabel = new QLabel(tr("レイヤー："), this);
    editLayerLabel->setBuddy(mLayer);
    layout->addWidget(editLayerLabel, 3, 0);
    layout->addWidget(mLayer, 3, 1);
    layout->addWidget(mApply, 3, 2);
    layout->addWidget(mClear, 3, 3);
    layout->addWidget(mList, 4, 0, 1, 4);
    layout->addWidget(mPreview, 5, 0, 1, 4);
    layout->setRowStretch(4, 3);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(1, 1);

    connect(mDisplayedLayer, &QComboBox::currentIndexChanged, this,
            [this](int index) { DataFormEditor::setDisplayedLayer(mDoc, index); });
    connect(mSender, &QComboBox::activated, this, &CLabelDataEditView::chooseSender);
    connect(mApply, &QPushButton::clicked, this, &CLabelDataEditView::applyText);
    connect(mClear, &QPushButton::clicked, this, &CLabelDataEditView::clearText);
    connect(mList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CLabelDataEditView::rowChosen);
    connect(&mDoc, &CORINOTEDoc::changed, this, &CLabelDataEditView::documentChanged);
    documentChanged();
    setFocusProxy(mDisplayedLayer);
}

CLabelDataEditView::~CLabelDataEditView() = default;

void CLabelDataEditView::setMessageHandler(std::function<void(const QString&)> handler)
{
    mMessageHandler = std::move(handler);
}

void CLabelDataEditView::showMessage(const QString& text)
{
    if (mMessageHandler)
        mMessageHandler(text);
    else
        QMessageBox::warning(this, tr("ORINOTE"), text);
}

void CLabelDataEditView::setQuestionHandler(std::function<bool(const QString&)> handler)
{
    mQuestionHandler = std::move(handler);
}

void CLabelDataEditView::receiveDatabaseData()
{
    if (DatabaseReception::asksFirst(mDoc)) {
        const QString question = DatabaseReception::question();
        const bool ok = mQuestionHandler
                            ? mQuestionHandler(question)
                            : QMessageBox::question(this, tr("ORINOTE"), question,
                                                    QMessageBox::Ok | QMessageBox::Cancel) ==
                                  QMessageBox::Ok;
        if (!ok)
            return;
    }
    const QString message = DatabaseReception::receive(mDoc);
    if (!message.isEmpty()) {
        showMessage(message);
        return;
    }
    resetEdits();
}

int CLabelDataEditView::chosenRow() const
{
    const QModelIndexList rows = mList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CLabelDataEditView::chooseRow(int row)
{
    if (row < 0 || row >= mModel->rowCount())
        mList->clearSelection();
    else
        mList->selectRow(row);
}

void CLabelDataEditView::rowChosen()
{
    if (mFollowingDocument)
        return;
    const int row = chosenRow();
    if (row < 0)
        return;
    mText->setPlainText(mDoc.textRects().text(row));
    // A name block's parts are separated by tabs, so Tab types one there.
    mText->setTabChangesFocus(!NameBlock::isField(mDoc.textRects().attribute(row)));
    mLayer->setValue(mDoc.textRects().layer(row));
    DataFormEditor::selectRegion(mDoc, row);
}

void CLabelDataEditView::resetEdits()
{
    mText->clear();
    mLayer->setValue(1);
}

void CLabelDataEditView::applyText()
{
    if (!mMeasurer)
        mMeasurer = std::make_unique<FontTextMeasurer>();
    const QString message = DataFormEditor::apply(mDoc, chosenRow(), mText->toPlainText(),
                                                  mLayer->value(), mMeasurer.get());
    if (!message.isEmpty()) {
        showMessage(message);
        return;
    }
    resetEdits();
}

void CLabelDataEditView::chooseSender(int index)
{
    if (!mMeasurer)
        mMeasurer = std::make_unique<FontTextMeasurer>();
    DataFormEditor::setSender(mDoc, index, mMeasurer.get());
}

void CLabelDataEditView::showSenders()
{
    const QSignalBlocker block(mSender);
    const QStringList choices = DataFormEditor::senderChoices(mDoc);
    if (choices.isEmpty()) {
        mSender->clear();
        mSender->addItem(tr("（差出人グループに登録がありません）"));
        mSender->setEnabled(false);
        return;
    }
    QStringList shown;
    for (int i = 0; i < mSender->count(); ++i)
        shown.append(mSender->itemText(i));
    if (shown != choices || !mSender->isEnabled()) {
        mSender->clear();
        mSender->addItems(choices);
    }
    mSender->setEnabled(true);
    mSender->setCurrentIndex(mDoc.senderIndex() < choices.size() ? mDoc.senderIndex() : -1);
}

void CLabelDataEditView::clearText()
{
    const QString message = DataFormEditor::clear(mDoc, chosenRow());
    if (!message.isEmpty()) {
        showMessage(message);
        return;
    }
    resetEdits();
}

void CLabelDataEditView::documentChanged()
{
    const QScopedValueRollback<bool> following(mFollowingDocument, true);
    {
        const QSignalBlocker block(mDisplayedLayer);
        mDisplayedLayer->setCurrentIndex(std::clamp(mDoc.displayedLayer, 0, 10));
    }
    showSenders();
    const bool hasSheets = !mDoc.sheets().isEmpty();
    mApply->setEnabled(hasSheets);
    mClear->setEnabled(hasSheets);

    // Rows keep their places unless regions came or went, so the selection and the
    // keyboard position in the list survive an ordinary change.
    mModel->refreshRows();
    const int selected = mDoc.selection().textRect;
    chooseRow(selected);
    if (selected >= 0 && selected < mModel->rowCount())
        mList->scrollTo(mModel->index(selected, 0));
    mPreview->setRegion(chosenRow());
}
