#include "FontChoiceDialog.h"

#include "FontSamplePreview.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

QStringList FontChoiceDialog::faces()
{
    return TextAttributes::offeredFaces(QFontDatabase::families(QFontDatabase::Japanese));
}

FontChoiceDialog::FontChoiceDialog(const FontRecord& current, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("フォント"));
    setObjectName(QStringLiteral("FontChoiceDialog"));
    mFaces = new QListWidget(this);
    mFaces->setObjectName(QStringLiteral("faces"));
    mFaces->addItems(faces());
    const QList<QListWidgetItem*> found = mFaces->findItems(current.faceName(), Qt::MatchExactly);
    mFaces->setCurrentRow(found.isEmpty() ? 0 : mFaces->row(found.first()));

    mStyle = new QComboBox(this);
    mStyle->addItems({tr("標準"), tr("斜体"), tr("太字"), tr("太字 斜体")});
    mStyle->setCurrentIndex((current.weight >= 700 ? 2 : 0) + (current.italic ? 1 : 0));
    mSize = new QComboBox(this);
    mSize->setObjectName(QStringLiteral("size"));
    for (const int points : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        mSize->addItem(QString::number(points), points);
    mSize->setCurrentIndex(mSize->findData(12));

    mPreview = new FontSamplePreview(this);
    auto* form = new QFormLayout;
    form->addRow(tr("スタイル："), mStyle);
    form->addRow(tr("サイズ："), mSize);
    auto* right = new QVBoxLayout;
    right->addLayout(form);
    right->addWidget(mPreview, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(mFaces, 1);
    body->addLayout(right, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body, 1);
    top->addWidget(buttons);
    connect(mFaces, &QListWidget::currentRowChanged, this, &FontChoiceDialog::refresh);
    connect(mStyle, &QComboBox::currentIndexChanged, this, &FontChoiceDialog::refresh);
    resize(640, 360);
    refresh();
}

TextAttributes::FontChoice FontChoiceDialog::choice() const
{
    TextAttributes::FontChoice c;
    c.face = mFaces->currentItem() ? mFaces->currentItem()->text() : QString();
    c.weight = mStyle->currentIndex() >= 2 ? 700 : 400;
    c.italic = mStyle->currentIndex() % 2 == 1;
    c.charSet = 128;
    c.points = mSize->currentData().toInt();
    return c;
}

void FontChoiceDialog::refresh()
{
    const TextAttributes::FontChoice c = choice();
    FontRecord sample = FontRecord::make(c.face, -70, c.face.startsWith(u'@') ? 900 : 0);
    sample.weight = c.weight;
    sample.italic = c.italic ? 1 : 0;
    mPreview->setFont(sample);
}
