#include "CLabelSheetPropPage.h"

#include "edit/PictureCheck.h"

#include "BackgroundPreviewBox.h"
#include "FieldSpinBox.h"
#include "TemplatePagePrompts.h"

#include "edit/TemplateSetupEdits.h"
#include "model/CORINOTEDoc.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
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

CLabelSheetPropPage::CLabelSheetPropPage(TemplatePageContext& context, QWidget* parent)
    : TemplatePropPage(context, parent)
{
    setObjectName(QStringLiteral("SheetPage"));
    auto* paper = new QGroupBox(tr("用紙サイズ（単位は0.1mm）"), this);
    mPaperHeight = new FieldSpinBox(300, 4200, paper);
    mPaperWidth = new FieldSpinBox(300, 2970, paper);
    mPaperPicture = new QLineEdit(paper);
    QPushButton* open = button(tr("開く"), &CLabelSheetPropPage::choosePaperPicture);
    auto* paperGrid = new QGridLayout(paper);
    paperGrid->addWidget(label(tr("縦："), mPaperHeight, paper), 0, 0);
    paperGrid->addWidget(mPaperHeight, 0, 1);
    paperGrid->addWidget(label(tr("横："), mPaperWidth, paper), 0, 2);
    paperGrid->addWidget(mPaperWidth, 0, 3);
    paperGrid->addWidget(label(tr("用紙画像："), mPaperPicture, paper), 1, 0);
    paperGrid->addWidget(mPaperPicture, 1, 1, 1, 2);
    paperGrid->addWidget(open, 1, 3);

    auto* frame = new QGroupBox(tr("シート枠（単位は0.1mm）："), this);
    mX = new FieldSpinBox(0, 2970, frame);
    mY = new FieldSpinBox(0, 4200, frame);
    mHeight = new FieldSpinBox(50, 4200, frame);
    mWidth = new FieldSpinBox(50, 2970, frame);
    mElliptic = new QCheckBox(tr("楕円形"), frame);
    // The fields start from the defaults they set, so a click adds what they show.
    const NewObjectDefaults& d = mDoc.newObjectDefaults();
    mHeight->setValue(d.sheetHeight);
    mWidth->setValue(d.sheetWidth);
    mElliptic->setChecked(d.sheetElliptic != 0);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(label(tr("X座標："), mX, frame), 0, 0);
    grid->addWidget(mX, 0, 1);
    grid->addWidget(label(tr("Y座標："), mY, frame), 0, 2);
    grid->addWidget(mY, 0, 3);
    grid->addWidget(label(tr("高さ："), mHeight, frame), 1, 0);
    grid->addWidget(mHeight, 1, 1);
    grid->addWidget(label(tr("幅："), mWidth, frame), 1, 2);
    grid->addWidget(mWidth, 1, 3);
    grid->addWidget(mElliptic, 2, 1);
    grid->addWidget(button(tr("用紙にセット"), &CLabelSheetPropPage::fillWithPaper), 2, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(tr("追加"), &CLabelSheetPropPage::addSheet));
    buttons->addWidget(button(tr("変更"), &CLabelSheetPropPage::changeSheet));
    buttons->addWidget(button(tr("削除"), &CLabelSheetPropPage::removeSheets));
    mPreview = new BackgroundPreviewBox(this);
    mPreview->setFixedSize(80, 60);
    auto* row = new QHBoxLayout;
    row->addLayout(buttons, 1);
    row->addWidget(mPreview);

    makeList({tr("X座標"), tr("Y座標"), tr("高さ"), tr("幅")}, 70,
             [this] { return mSetup.sheets.size(); },
             [this](int r, int c) -> qint64 {
                 const RectFields f = RectFields::of(mSetup.sheets.rect(r));
                 const qint64 values[] = {f.x, f.y, f.height, f.width};
                 return values[c - 1];
             });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(paper);
    layout->addWidget(frame);
    layout->addLayout(row);
    layout->addWidget(list(), 1);

    connect(mPaperHeight, &QSpinBox::valueChanged, this, &CLabelSheetPropPage::paperEdited);
    connect(mPaperWidth, &QSpinBox::valueChanged, this, &CLabelSheetPropPage::paperEdited);
    connect(mPaperPicture, &QLineEdit::textEdited, this, &CLabelSheetPropPage::paperEdited);
    connect(mHeight, &QSpinBox::valueChanged, this, &CLabelSheetPropPage::sizeEdited);
    connect(mWidth, &QSpinBox::valueChanged, this, &CLabelSheetPropPage::sizeEdited);
    connect(mElliptic, &QCheckBox::toggled, this, &CLabelSheetPropPage::ellipticEdited);
}

void CLabelSheetPropPage::reload()
{
    {
        const QScopedValueRollback loading(mLoading, mLoading + 1);
        mPaperHeight->setNumber(mSetup.paperHeight);
        mPaperWidth->setNumber(mSetup.paperWidth);
        mPaperPicture->setText(mSetup.paperPicture);
    }
    TemplatePropPage::reload();
}

RectFields CLabelSheetPropPage::fields() const
{
    return RectFields{mX->value(), mY->value(), mHeight->value(), mWidth->value()};
}

void CLabelSheetPropPage::addSheet()
{
    if (refused(TemplateSetupEdits::addSheet(mSetup, fields(), mElliptic->isChecked())))
        return;
    copyChanged(selectedRows());
}

void CLabelSheetPropPage::changeSheet()
{
    const QList<int> rows = selectedRows();
    if (refused(TemplateSetupEdits::changeSheet(mSetup, rows, fields(), mElliptic->isChecked())))
        return;
    copyChanged(rows);
}

void CLabelSheetPropPage::removeSheets()
{
    if (refused(TemplateSetupEdits::removeSheets(mSetup, selectedRows())))
        return;
    copyChanged({});
    mDoc.selection().sheet = -1;
    mDoc.scalars().currentSheetNo = 1;
    emit pickedInDocument();
}

void CLabelSheetPropPage::fillWithPaper()
{
    mX->setValue(0);
    mY->setValue(0);
    mHeight->setValue(mPaperHeight->value());
    mWidth->setValue(mPaperWidth->value());
}

void CLabelSheetPropPage::choosePaperPicture()
{
    if (!mContext.prompts)
        return;
    const QString path = mContext.prompts->choosePicture();
    if (path.isEmpty())
        return;
    // Refused here, as the sheets' picture dialog refuses it, not only at "更新".
    if (const QString refusal = PictureCheck::check(path); !refusal.isEmpty()) {
        mContext.prompts->showMessage(refusal);
        return;
    }
    mPaperPicture->setText(path);
    paperEdited();
}

void CLabelSheetPropPage::paperEdited()
{
    if (mLoading)
        return;
    // The copy holds what is typed; "更新" checks the paper size.
    mSetup.paperHeight = mPaperHeight->value();
    mSetup.paperWidth = mPaperWidth->value();
    mSetup.paperPicture = mPaperPicture->text();
}

void CLabelSheetPropPage::sizeEdited()
{
    // A size the fields would refuse is not given to objects added with the mouse.
    if (NewObjectDefaults* d = defaults()) {
        if (mHeight->inRange())
            d->sheetHeight = mHeight->value();
        if (mWidth->inRange())
            d->sheetWidth = mWidth->value();
    }
}

void CLabelSheetPropPage::ellipticEdited()
{
    if (NewObjectDefaults* d = defaults())
        d->sheetElliptic = mElliptic->isChecked() ? 1 : 0;
}

QList<int> CLabelSheetPropPage::documentRows() const
{
    const int s = mDoc.selection().sheet;
    return s >= 0 ? QList<int>{s} : QList<int>{};
}

void CLabelSheetPropPage::pickRows(const QList<int>& rows)
{
    Selection& s = mDoc.selection();
    if (rows.size() != 1) {
        s.sheet = -1;
        return;
    }
    s.clear();
    s.sheet = rows.first();
}

bool CLabelSheetPropPage::familyUnchanged() const
{
    return mSetup.sheets == mDoc.labelTemplate().sheets;
}

void CLabelSheetPropPage::showRows(const QList<int>& rows)
{
    if (rows.isEmpty()) {
        mPreview->clear();
        return;
    }
    const int i = rows.first();
    const RectFields f = RectFields::of(mSetup.sheets.rect(i));
    mX->setNumber(f.x);
    mY->setNumber(f.y);
    mHeight->setNumber(f.height);
    mWidth->setNumber(f.width);
    mElliptic->setChecked(mSetup.sheets.elliptic(i) != 0);
    BackgroundPreviewBox::Background b;
    b.filled = true;
    b.color = mSetup.sheets.backColor(i);
    b.picture = mSetup.sheets.backPicture(i);
    b.rotation = mSetup.sheets.backPictureRotation(i);
    b.transparency = mSetup.sheets.pictureTransparency(i);
    mPreview->setBackground(b);
}
