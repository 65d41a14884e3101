#include "CBGColorDialog.h"

#include "ColorChooser.h"
#include "widgets/CPictureFileDialog.h"
#include "widgets/PicturePreview.h"

#include "render/RenderSupport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

CBGColorDialog::CBGColorDialog(const RegionBackground::Values& v, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("背景"));
    setObjectName(QStringLiteral("BGColorDialog"));
    mColor = new ColorChooser(v.color, this);
    mNoColor = new QCheckBox(tr("無効"), this);
    mNoColor->setChecked(v.noColor);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(mColor);
    colorRow->addWidget(mNoColor);

    mPicture = new QLineEdit(v.picture, this);
    mPicture->setObjectName(QStringLiteral("picture"));
    auto* open = new QPushButton(tr("開く"), this);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(mPicture, 1);
    pictureRow->addWidget(open);

    mKey = new ColorChooser(v.keyColor, this);
    mKeyOn = new QCheckBox(tr("透明化"), this);
    mKeyOn->setChecked(v.keyOn);
    mKeyText = new QLabel(this);
    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(mKey);
    keyRow->addWidget(mKeyOn);
    keyRow->addWidget(mKeyText);

    mTransparency = new QSlider(Qt::Horizontal, this);
    mTransparency->setObjectName(QStringLiteral("transparency"));
    mTransparency->setRange(0, 100);
    mTransparency->setValue(v.transparency);
    mTransparencyText = new QLabel(this);
    auto* transparencyRow = new QHBoxLayout;
    transparencyRow->addWidget(mTransparency, 1);
    transparencyRow->addWidget(mTransparencyText);

    mPreview = new PicturePreview(this);
    mPreview->setPicking(true);

    auto* form = new QFormLayout;
    form->addRow(tr("背景色："), colorRow);
    form->addRow(tr("画像ファイル："), pictureRow);
    form->addRow(tr("透明色："), keyRow);
    form->addRow(tr("画像の透明度："), transparencyRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(mPreview, 1);
    top->addWidget(buttons);

    mKeyKnown = v.keyOn || v.keyColor != 0xFFFFFF;
    connect(open, &QPushButton::clicked, this, &CBGColorDialog::choosePicture);
    connect(mPicture, &QLineEdit::editingFinished, this, [this] { setPicture(mPicture->text()); });
    connect(mColor, &ColorChooser::colorChanged, this, &CBGColorDialog::refresh);
    connect(mNoColor, &QCheckBox::toggled, this, &CBGColorDialog::refresh);
    connect(mKey, &ColorChooser::colorChanged, this, [this] {
        mKeyKnown = true;
        refresh();
    });
    connect(mKeyOn, &QCheckBox::toggled, this, &CBGColorDialog::refresh);
    connect(mTransparency, &QSlider::valueChanged, this, &CBGColorDialog::refresh);
    connect(mPreview, &PicturePreview::colorPicked, this,
            [this](const QColor& c) { setKeyColor(ColorChooser::colorRef(c)); });
    mPreview->setPicture(v.picture);
    refresh();
}

RegionBackground::Values CBGColorDialog::values() const
{
    RegionBackground::Values v;
    v.color = mColor->color();
    v.noColor = mNoColor->isChecked();
    v.picture = mPicture->text();
    v.keyColor = mKey->color();
    v.keyOn = mKeyOn->isChecked();
    v.transparency = mTransparency->value();
    return v;
}

void CBGColorDialog::setPicture(const QString& path)
{
    mPicture->setText(path);
    mPreview->setPicture(path);
    refresh();
}

void CBGColorDialog::setKeyColor(qint32 color)
{
    mKey->setColor(color);
}

QSize CBGColorDialog::pictureSize() const
{
    return mPreview->hasPicture() ? mPreview->pictureSize() : QSize();
}

void CBGColorDialog::choosePicture()
{
    const QString path = CPictureFileDialog::choose(this, mPicture->text());
    if (!path.isEmpty())
        setPicture(path);
}

void CBGColorDialog::refresh()
{
    const QColor key = RenderSupport::color(mKey->color());
    mKeyText->setText(mKeyKnown ? QStringLiteral("R:%1 G:%2 B:%3")
                                      .arg(key.red(), 3)
                                      .arg(key.green(), 3)
                                      .arg(key.blue(), 3)
                                : QStringLiteral("R:    G:    B:    "));
    mTransparencyText->setText(QString::number(mTransparency->value()));
    mPreview->setBackground(mNoColor->isChecked() ? QColor(Qt::white)
                                                  : RenderSupport::color(mColor->color()));
    mPreview->setOpacity((100 - mTransparency->value()) / 100.0);
    mPreview->setKeyColor(key, mKeyOn->isChecked());
}
