#include "CLabelSheetOptionDialog.h"

#include "ColorChooser.h"
#include "FieldSpinBox.h"

#include "widgets/CPictureFileDialog.h"
#include "widgets/NumberFields.h"
#include "widgets/PicturePreview.h"

#include "render/RenderSupport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

CLabelSheetOptionDialog::CLabelSheetOptionDialog(const SheetBackgrounds& sheets, QWidget* parent)
    : QDialog(parent), mSheets(sheets)
{
    setWindowTitle(tr("シート背景"));
    setObjectName(QStringLiteral("LabelSheetOptionDialog"));
    showMessage = [this](const QString& text) {
        QMessageBox::warning(this, windowTitle(), text);
    };
    // The arrows step within the sheets; a number typed beyond them is refused.
    mNumber = new FieldSpinBox(1, std::max(1, mSheets.count()), this);
    mNumber->setObjectName(QStringLiteral("sheetNumber"));
    mNumber->setKeyboardTracking(false);
    mNumber->setEnabled(mSheets.perSheet() && mSheets.count() > 1);
    mColor = new ColorChooser(0xFFFFFF, this);
    mPicture = new QLineEdit(this);
    auto* open = new QPushButton(tr("開く"), this);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(mPicture, 1);
    pictureRow->addWidget(open);

    auto* bleed = new QGroupBox(tr("シートの枠をはみ出す幅（単位0.1mm）"), this);
    mBleedX = new QSpinBox(bleed);
    mBleedY = new QSpinBox(bleed);
    mBleedX->setObjectName(QStringLiteral("bleedX"));
    mBleedY->setObjectName(QStringLiteral("bleedY"));
    // Wider than the allowed −100..100, so that a value out of range meets its message.
    for (QSpinBox* s : {mBleedX, mBleedY})
        NumberFields::widen(s, -100, 100);
    auto* bleedForm = new QFormLayout(bleed);
    bleedForm->addRow(tr("X方向："), mBleedX);
    bleedForm->addRow(tr("Y方向："), mBleedY);

    mKeepAspect = new QCheckBox(tr("背景画像の縦横比を画像データに合わせる"), this);
    mTransparency = new QSlider(Qt::Horizontal, this);
    mTransparency->setRange(0, 100);
    mTransparencyText = new QLabel(this);
    auto* transparencyRow = new QHBoxLayout;
    transparencyRow->addWidget(mTransparency, 1);
    transparencyRow->addWidget(mTransparencyText);
    mPreview = new PicturePreview(this);

    auto* form = new QFormLayout;
    form->addRow(tr("シート番号："), mNumber);
    form->addRow(tr("シートの背景色："), mColor);
    form->addRow(tr("画像ファイル："), pictureRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLabelSheetOptionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(bleed);
    top->addWidget(mKeepAspect);
    auto* transparencyForm = new QFormLayout;
    transparencyForm->addRow(tr("画像の透明度："), transparencyRow);
    top->addLayout(transparencyForm);
    top->addWidget(mPreview, 1);
    top->addWidget(buttons);

    const bool any = mSheets.count() > 0;
    for (QWidget* w : {static_cast<QWidget*>(mColor), static_cast<QWidget*>(mPicture),
                       static_cast<QWidget*>(open)})
        w->setEnabled(any);
    connect(open, &QPushButton::clicked, this, [this] {
        const QString path = CPictureFileDialog::choose(this, mPicture->text());
        if (!path.isEmpty()) {
            mPicture->setText(path);
            pictureChanged();
        }
    });
    connect(mPicture, &QLineEdit::editingFinished, this, &CLabelSheetOptionDialog::pictureChanged);
    connect(mColor, &ColorChooser::colorChanged, this, &CLabelSheetOptionDialog::refreshPreview);
    connect(mTransparency, &QSlider::valueChanged, this, &CLabelSheetOptionDialog::refreshPreview);
    connect(mNumber, &QSpinBox::valueChanged, this, &CLabelSheetOptionDialog::sheetNumberChanged);
    {
        const QSignalBlocker block(mNumber);
        mNumber->setValue(mSheets.startIndex() + 1);
    }
    showSheet(mSheets.startIndex());
}

void CLabelSheetOptionDialog::showSheet(int index)
{
    mShown = index;
    const SheetBackgrounds::Values v = mSheets.at(index);
    mColor->setColor(v.color);
    mPicture->setText(v.picture);
    mBleedX->setValue(v.bleedX);
    mBleedY->setValue(v.bleedY);
    mKeepAspect->setChecked(v.keepAspect);
    mTransparency->setValue(v.transparency);
    pictureChanged();
}

SheetBackgrounds::Values CLabelSheetOptionDialog::shownValues() const
{
    SheetBackgrounds::Values v;
    v.color = mColor->color();
    v.picture = mPicture->text();
    v.bleedX = mBleedX->value();
    v.bleedY = mBleedY->value();
    v.keepAspect = mKeepAspect->isChecked();
    v.transparency = mTransparency->value();
    return v;
}

bool CLabelSheetOptionDialog::storeShown()
{
    const QString message = mSheets.store(mShown, shownValues());
    if (!message.isEmpty()) {
        showMessage(message);
        return false;
    }
    return true;
}

void CLabelSheetOptionDialog::sheetNumberChanged(int number)
{
    if (const QString refusal = mSheets.checkNumber(number); !refusal.isEmpty()) {
        showMessage(refusal);
        const QSignalBlocker block(mNumber);
        mNumber->setValue(mShown + 1);
        return;
    }
    if (!storeShown()) {
        const QSignalBlocker block(mNumber);
        mNumber->setValue(mShown + 1);
        return;
    }
    showSheet(number - 1);
}

void CLabelSheetOptionDialog::accept()
{
    // A number typed and not yet taken is looked at first.
    {
        const QSignalBlocker block(mNumber);
        mNumber->interpretText();
    }
    if (mNumber->value() != mShown + 1 && mNumber->isEnabled()) {
        sheetNumberChanged(mNumber->value());
        return;
    }
    if (mSheets.count() > 0 && !storeShown())
        return;
    QDialog::accept();
}

void CLabelSheetOptionDialog::refreshPreview()
{
    mTransparencyText->setText(QString::number(mTransparency->value()));
    mPreview->setBackground(RenderSupport::color(mColor->color()));
    mPreview->setOpacity((100 - mTransparency->value()) / 100.0);
}

void CLabelSheetOptionDialog::pictureChanged()
{
    mPreview->setPicture(mPicture->text());
    refreshPreview();
}
