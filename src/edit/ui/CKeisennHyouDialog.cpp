#include "CKeisennHyouDialog.h"

#include "ColorChooser.h"
#include "FramePreview.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

CKeisennHyouDialog::CKeisennHyouDialog(const KeisennTableOptions& d, QWidget* parent)
    : RangeCheckedDialog(parent)
{
    const auto spin = [this](const char* name, int low, int high, int value, QWidget* parent) {
        QSpinBox* box = addNumber(name, low, high, std::clamp(value, low, high));
        box->setParent(parent);
        return box;
    };
    setWindowTitle(tr("罫線（表）"));
    setObjectName(QStringLiteral("KeisennHyouDialog"));

    auto* frame = new QGroupBox(tr("枠："), this);
    mTop = new QCheckBox(tr("上"), frame);
    mBottom = new QCheckBox(tr("下"), frame);
    mLeft = new QCheckBox(tr("左"), frame);
    mRight = new QCheckBox(tr("右"), frame);
    mTop->setChecked(d.frameTop);
    mBottom->setChecked(d.frameBottom);
    mLeft->setChecked(d.frameLeft);
    mRight->setChecked(d.frameRight);
    mPreview = new FramePreview(frame);
    auto* frameLayout = new QGridLayout(frame);
    frameLayout->addWidget(mTop, 0, 1, Qt::AlignCenter);
    frameLayout->addWidget(mLeft, 1, 0);
    frameLayout->addWidget(mPreview, 1, 1);
    frameLayout->addWidget(mRight, 1, 2);
    frameLayout->addWidget(mBottom, 2, 1, Qt::AlignCenter);

    auto* layoutBox = new QGroupBox(tr("レイアウト："), this);
    mRows = spin("rows", 1, 100, d.rows, layoutBox);
    mColumns = spin("columns", 1, 100, d.columns, layoutBox);
    auto* rowsCols = new QHBoxLayout(layoutBox);
    rowsCols->addWidget(mRows);
    rowsCols->addWidget(new QLabel(tr("行"), layoutBox));
    rowsCols->addWidget(mColumns);
    rowsCols->addWidget(new QLabel(tr("列"), layoutBox));
    rowsCols->addStretch();

    mColor = new ColorChooser(d.color, this);
    mWidth = spin("width", 0, 50, d.width, this);

    mNoInnerLines = new QCheckBox(tr("罫線なし（枠線除く）"), this);
    mSheetPerRow = new QCheckBox(tr("各行にシートを設定する"), this);
    mSheetPerColumn = new QCheckBox(tr("各列にシートを設定する"), this);
    mRegionPerCell = new QCheckBox(tr("各セルに文字列編集領域を設定する"), this);
    mNoInnerLines->setChecked(d.noInnerLines);
    mSheetPerRow->setChecked(d.sheetPerRow);
    mSheetPerColumn->setChecked(d.sheetPerColumn);
    mRegionPerCell->setChecked(d.regionPerCell);
    mGapTop = spin("gapTop", 0, 300, d.gapTop, this);
    mGapBottom = spin("gapBottom", 0, 300, d.gapBottom, this);
    mGapLeft = spin("gapLeft", 0, 300, d.gapLeft, this);
    mGapRight = spin("gapRight", 0, 300, d.gapRight, this);

    auto* form = new QFormLayout;
    form->addRow(tr("罫線の色："), mColor);
    form->addRow(tr("罫線の太さ（単位は0.1mm）："), mWidth);
    form->addRow(mNoInnerLines);
    form->addRow(mSheetPerRow);
    form->addRow(mSheetPerColumn);
    form->addRow(mRegionPerCell);
    form->addRow(tr("上の隙間（単位は0.1mm）："), mGapTop);
    form->addRow(tr("下の隙間（単位は0.1mm）："), mGapBottom);
    form->addRow(tr("左の隙間（単位は0.1mm）："), mGapLeft);
    form->addRow(tr("右の隙間（単位は0.1mm）："), mGapRight);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* top = new QVBoxLayout(this);
    auto* upper = new QHBoxLayout;
    upper->addWidget(frame);
    upper->addWidget(layoutBox, 1, Qt::AlignTop);
    top->addLayout(upper);
    top->addLayout(form);
    top->addWidget(buttons);

    for (QCheckBox* box : {mTop, mBottom, mLeft, mRight})
        connect(box, &QCheckBox::toggled, this, &CKeisennHyouDialog::sidesChanged);
    connect(buttons, &QDialogButtonBox::accepted, this, &CKeisennHyouDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    sidesChanged();
}

KeisennTableOptions CKeisennHyouDialog::options() const
{
    KeisennTableOptions o;
    o.frameTop = mTop->isChecked();
    o.frameBottom = mBottom->isChecked();
    o.frameLeft = mLeft->isChecked();
    o.frameRight = mRight->isChecked();
    o.rows = mRows->value();
    o.columns = mColumns->value();
    o.color = mColor->color();
    o.width = mWidth->value();
    o.noInnerLines = mNoInnerLines->isChecked();
    o.sheetPerRow = mSheetPerRow->isChecked();
    o.sheetPerColumn = mSheetPerColumn->isChecked();
    o.regionPerCell = mRegionPerCell->isChecked();
    o.gapTop = mGapTop->value();
    o.gapBottom = mGapBottom->value();
    o.gapLeft = mGapLeft->value();
    o.gapRight = mGapRight->value();
    return o;
}

std::optional<KeisennTableOptions> CKeisennHyouDialog::ask(const KeisennTableOptions& defaults,
                                                           QWidget* parent)
{
    CKeisennHyouDialog dialog(defaults, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.options();
}

void CKeisennHyouDialog::sidesChanged()
{
    mPreview->setSides(mTop->isChecked(), mBottom->isChecked(), mLeft->isChecked(),
                       mRight->isChecked());
}
