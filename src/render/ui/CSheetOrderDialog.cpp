#include "CSheetOrderDialog.h"

#include "SheetOrderPicture.h"

#include "model/CORINOTEDoc.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

CSheetOrderDialog::CSheetOrderDialog(CORINOTEDoc& doc, QWidget* parent)
    : QDialog(parent), mDoc(doc), mOrder(doc.labelTemplate()),
      mPicture(new SheetOrderPicture(mOrder, this)), mRemaining(new QLabel(this))
{
    setWindowTitle(tr("シートオーダー"));
    mPicture->setObjectName(QStringLiteral("picture"));
    mRemaining->setObjectName(QStringLiteral("remaining"));
    connect(mPicture, &SheetOrderPicture::sheetChosen, this, &CSheetOrderDialog::updateRemaining);

    auto* reset = new QPushButton(tr("リセット"), this);
    reset->setObjectName(QStringLiteral("reset"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &CSheetOrderDialog::resetOrder);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CSheetOrderDialog::accept);
    auto* cancel = new QPushButton(tr("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mPicture, 0, Qt::AlignHCenter);
    layout->addWidget(mRemaining);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    updateRemaining();
}

CSheetOrderDialog::~CSheetOrderDialog() = default;

bool CSheetOrderDialog::run(QWidget* parent, CORINOTEDoc& doc)
{
    CSheetOrderDialog dialog(doc, parent);
    return dialog.exec() == QDialog::Accepted;
}

void CSheetOrderDialog::resetOrder()
{
    mOrder.reset();
    mPicture->update();
    updateRemaining();
}

void CSheetOrderDialog::accept()
{
    if (!mOrder.isComplete()) {
        showRefusal(tr("シートオーダーが終了していません。\r\nすべてのシートを選択してください。"));
        return;
    }
    const bool applied = SheetOrder::apply(mDoc, mOrder.chosen(), [this] {
        return askMoveRegions(tr("新しいシートNo.1のシートに文字列編集領域を移動させますか？"));
    });
    if (applied)
        QDialog::accept();
    else
        reject(); // the template changed under the dialog; nothing was applied
}

void CSheetOrderDialog::showRefusal(const QString& text)
{
    QMessageBox::warning(this, tr("ORINOTE"), text);
}

bool CSheetOrderDialog::askMoveRegions(const QString& question)
{
    return QMessageBox::question(this, tr("ORINOTE"), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void CSheetOrderDialog::updateRemaining()
{
    mRemaining->setText(tr("残りシート数：%1").arg(mOrder.remaining()));
}
