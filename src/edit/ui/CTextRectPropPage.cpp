#include "CTextRectPropPage.h"

#include "BackgroundPreviewBox.h"
#include "FieldSpinBox.h"

#include "merge/MergeField.h"
#include "model/CORINOTEDoc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QLabel* label(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

CTextRectPropPage::CTextRectPropPage(TemplatePageContext& context, QWidget* parent)
    : TemplatePropPage(context, parent)
{
    setObjectName(QStringLiteral("RegionPage"));
    mAttribute = new QComboBox(this);
    mAttribute->setEditable(true);
    mAttribute->setInsertPolicy(QComboBox::NoInsert);
    mAttribute->setMaxVisibleItems(20);
    mAttribute->addItems(MergeField::attributeChoices());
    mAttribute->setCurrentIndex(0);
    // The list is offered while typing, but what is typed stays as typed: inline completion
    // would turn a fixed text such as 住所 into the placeholder 住所1(R).
    mAttribute->completer()->setCompletionMode(QCompleter::PopupCompletion);
    mAttribute->completer()->setCaseSensitivity(Qt::CaseSensitive);
    mLayer = new FieldSpinBox(1, 10, this);
    auto* top = new QGridLayout;
    top->addWidget(label(tr("属性："), mAttribute, this), 0, 0);
    top->addWidget(mAttribute, 0, 1, 1, 3);
    top->addWidget(label(tr("レイヤー："), mLayer, this), 1, 0);
    top->addWidget(mLayer, 1, 1);
    top->setColumnStretch(3, 1);

    auto* frame = new QGroupBox(tr("文字列編集領域（単位は0.1mm）："), this);
    mX = new FieldSpinBox(0, 2970, frame);
    mY = new FieldSpinBox(0, 4200, frame);
    mHeight = new FieldSpinBox(25, 4200, frame);
    mWidth = new FieldSpinBox(25, 2970, frame);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(label(tr("X座標："), mX, frame), 0, 0);
    grid->addWidget(mX, 0, 1);
    grid->addWidget(label(tr("Y座標："), mY, frame), 0, 2);
    grid->addWidget(mY, 0, 3);
    grid->addWidget(label(tr("高さ："), mHeight, frame), 1, 0);
    grid->addWidget(mHeight, 1, 1);
    grid->addWidget(label(tr("幅："), mWidth, frame), 1, 2);
    grid->addWidget(mWidth, 1, 3);

    mVertical = new QCheckBox(tr("縦書きで追加"), this);
    mWestern = new QCheckBox(tr("横書き（洋形用）で追加"), this);
    mElliptic = new QCheckBox(tr("楕円形"), this);
    mSqueeze = new QCheckBox(tr("長い時は縮小"), this);
    mSqueeze->setToolTip(tr("文字列が文字列編集領域より長いときは、文字の向きに縮めて領域に収めます"));
    // The fields start from the defaults they set, so a click adds what they show.
    const NewObjectDefaults& d = mDoc.newObjectDefaults();
    mHeight->setValue(d.regionHeight);
    mWidth->setValue(d.regionWidth);
    mLayer->setNumber(d.layer);
    mAttribute->setEditText(d.text);
    mVertical->setChecked(d.vertical != 0);
    mWestern->setChecked(d.vertical == 0 && d.westernHorizontal != 0);
    mElliptic->setChecked(d.elliptic != 0);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(mVertical);
    boxes->addWidget(mWestern);
    boxes->addWidget(mElliptic);
    boxes->addWidget(mSqueeze);
    mPreview = new BackgroundPreviewBox(this);
    mPreview->setFixedSize(80, 60);
    auto* middle = new QHBoxLayout;
    middle->addLayout(boxes, 1);
    middle->addWidget(mPreview);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(tr("追加"), &CTextRectPropPage::addRegion));
    buttons->addWidget(button(tr("変更"), &CTextRectPropPage::changeRegion));
    buttons->addWidget(button(tr("削除"), &CTextRectPropPage::removeRegions));

    makeList({tr("X座標"), tr("Y座標"), tr("高さ"), tr("幅"), tr("レイヤー")}, 60,
             [this] { return mSetup.regions.size(); },
             [this](int r, int c) -> qint64 {
                 if (c == 5)
                     return mSetup.regions.layer(r);
                 const RectFields f = RectFields::of(mSetup.regions.rect(r));
                 const qint64 values[] = {f.x, f.y, f.height, f.width};
                 return values[c - 1];
             });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(frame);
    layout->addLayout(middle);
    layout->addLayout(buttons);
    layout->addWidget(list(), 1);

    connect(mHeight, &QSpinBox::valueChanged, this, &CTextRectPropPage::sizeEdited);
    connect(mWidth, &QSpinBox::valueChanged, this, &CTextRectPropPage::sizeEdited);
    connect(mLayer, &QSpinBox::valueChanged, this, &CTextRectPropPage::layerEdited);
    connect(mAttribute, &QComboBox::currentTextChanged, this,
            &CTextRectPropPage::attributeEdited);
    connect(mElliptic, &QCheckBox::toggled, this, &CTextRectPropPage::ellipticEdited);
    connect(mVertical, &QCheckBox::toggled, this, &CTextRectPropPage::verticalToggled);
    connect(mWestern, &QCheckBox::toggled, this, &CTextRectPropPage::westernToggled);
}

TemplateSetupEdits::RegionFields CTextRectPropPage::fields() const
{
    TemplateSetupEdits::RegionFields f;
    f.attribute = mAttribute->currentText();
    f.layer = mLayer->value();
    f.rect = RectFields{mX->value(), mY->value(), mHeight->value(), mWidth->value()};
    f.elliptic = mElliptic->isChecked();
    f.squeeze = mSqueeze->isChecked();
    f.vertical = mVertical->isChecked();
    f.western = mWestern->isChecked();
    return f;
}

void CTextRectPropPage::addRegion()
{
    const bool sizeToText = mDoc.environment().sizeNewRegions == 1;
    if (refused(TemplateSetupEdits::addRegion(mSetup, fields(), sizeToText, mContext.measurer)))
        return;
    copyChanged(selectedRows());
}

void CTextRectPropPage::changeRegion()
{
    const QList<int> rows = selectedRows();
    if (refused(TemplateSetupEdits::changeRegion(mSetup, rows, fields(),
                                                 mDoc.environment().fitTemplate,
                                                 mContext.measurer)))
        return;
    copyChanged(rows);
}

void CTextRectPropPage::removeRegions()
{
    if (refused(TemplateSetupEdits::removeRegions(mSetup, selectedRows())))
        return;
    copyChanged({});
    mDoc.selection().textRect = -1;
    emit pickedInDocument();
}

void CTextRectPropPage::sizeEdited()
{
    if (NewObjectDefaults* d = defaults()) {
        if (mHeight->inRange())
            d->regionHeight = mHeight->value();
        if (mWidth->inRange())
            d->regionWidth = mWidth->value();
    }
}

void CTextRectPropPage::layerEdited()
{
    NewObjectDefaults* d = defaults();
    if (d && mLayer->inRange())
        d->layer = mLayer->value();
}

void CTextRectPropPage::attributeEdited()
{
    if (NewObjectDefaults* d = defaults())
        d->text = mAttribute->currentText();
}

void CTextRectPropPage::ellipticEdited()
{
    if (NewObjectDefaults* d = defaults())
        d->elliptic = mElliptic->isChecked() ? 1 : 0;
}

void CTextRectPropPage::verticalToggled(bool on)
{
    if (on)
        mWestern->setChecked(false);
    directionEdited();
}

void CTextRectPropPage::westernToggled(bool on)
{
    if (on)
        mVertical->setChecked(false);
    directionEdited();
}

void CTextRectPropPage::directionEdited()
{
    if (NewObjectDefaults* d = defaults()) {
        d->vertical = mVertical->isChecked() ? 1 : 0;
        d->westernHorizontal = mWestern->isChecked() ? 1 : 0;
    }
}

QList<int> CTextRectPropPage::documentRows() const
{
    const int r = mDoc.selection().textRect;
    return r >= 0 ? QList<int>{r} : QList<int>{};
}

void CTextRectPropPage::pickRows(const QList<int>& rows)
{
    Selection& s = mDoc.selection();
    if (rows.size() != 1) {
        s.textRect = -1;
        return;
    }
    s.clear();
    s.textRect = rows.first();
}

bool CTextRectPropPage::familyUnchanged() const
{
    return mSetup.regions == mDoc.labelTemplate().regions;
}

void CTextRectPropPage::showRows(const QList<int>& rows)
{
    if (rows.isEmpty()) {
        mAttribute->setCurrentIndex(0);
        mAttribute->setEditText(mAttribute->itemText(0));
        mLayer->setValue(1);
        mPreview->clear();
        return;
    }
    const int i = rows.first();
    const RectFields f = RectFields::of(mSetup.regions.rect(i));
    mX->setNumber(f.x);
    mY->setNumber(f.y);
    mHeight->setNumber(f.height);
    mWidth->setNumber(f.width);
    mLayer->setNumber(mSetup.regions.layer(i));
    const QString attribute = mSetup.regions.attribute(i);
    const int item = mAttribute->findText(attribute);
    mAttribute->setCurrentIndex(item);
    mAttribute->setEditText(attribute);
    mElliptic->setChecked(mSetup.regions.elliptic(i) != 0);
    mSqueeze->setChecked(mSetup.regions.at(i).squeezesLongText());
    BackgroundPreviewBox::Background b;
    b.filled = mSetup.regions.backColorOff(i) == 0;
    b.color = mSetup.regions.backColor(i);
    b.picture = mSetup.regions.backPicture(i);
    b.rotation = mSetup.regions.backPictureRotation(i);
    b.transparency = mSetup.regions.pictureTransparency(i);
    mPreview->setBackground(b);
}
