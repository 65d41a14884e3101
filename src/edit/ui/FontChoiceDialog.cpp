#include "FontChoiceDialog.h"

#include "FontSamplePreview.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QListWidget>
#include <QVBoxLayout>

QStringList FontChoiceDialog::faces()
{
    return TextAttributes::offeredFaces(QFontDatabase::families(QFontDatabase::Japanese));
}

FontChoiceDialog::FontChoiceDialog(const FontRecord& current, int points, QWidget* parent)
    : QDialog(parent), mWeight(current.weight)
{
    setWindowTitle(tr("フォント"));
    setObjectName(QStringLiteral("FontChoiceDialog"));
    mFaces = new QListWidget(this);
    mFaces->setObjectName(QStringLiteral("faces"));
    const QString face = current.faceName();
    QStringList offered = faces();
    if (!face.isEmpty() && !offered.contains(face)) {
        auto* missing = new QListWidgetItem(tr("%1（未インストール）").arg(face), mFaces);
        missing->setData(Qt::UserRole, face);
    }
    for (const QString& f : std::as_const(offered))
        (new QListWidgetItem(f, mFaces))->setData(Qt::UserRole, f);
    int row = 0;
    for (int i = 0; i < mFaces->count(); ++i) {
        if (mFaces->item(i)->data(Qt::UserRole).toString() == face)
            row = i;
    }
    mFaces->setCurrentRow(row);

    mStyle = new QComboBox(this);
    mStyle->addItems({tr("標準"), tr("斜体"), tr("太字"), tr("太字 斜体")});
    mStyleShown = (current.weight >= 600 ? 2 : 0) + (current.italic ? 1 : 0);
    mStyle->setCurrentIndex(mStyleShown);
    mSize = new QComboBox(this);
    mSize->setObjectName(QStringLiteral("size"));
    mSize->setEditable(true);
    mSize->setInsertPolicy(QComboBox::NoInsert);
    mSize->setValidator(
        new QIntValidator(TextAttributes::MinPoints, TextAttributes::MaxPoints, mSize));
    for (const int p : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        mSize->addItem(QString::number(p), p);
    mSize->setEditText(points > 0 ? QString::number(points) : QString());

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
    c.face =
        mFaces->currentItem() ? mFaces->currentItem()->data(Qt::UserRole).toString() : QString();
    const bool boldChanged = (mStyle->currentIndex() >= 2) != (mStyleShown >= 2);
    c.weight = !boldChanged ? mWeight : mStyle->currentIndex() >= 2 ? 700 : 400;
    c.italic = mStyle->currentIndex() % 2 == 1;
    c.charSet = 128;
    c.points = mSize->currentText().trimmed().toInt();
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
