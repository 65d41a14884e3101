#include "CPostalAddressDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CPostalAddressDialog::CPostalAddressDialog(const QString& prompt,
                                           const QList<PostalAddress>& addresses, QWidget* parent)
    : QDialog(parent), mList(new QListWidget(this))
{
    setWindowTitle(tr("住所の選択"));
    mList->setObjectName(QStringLiteral("addresses"));
    for (const PostalAddress& a : addresses)
        mList->addItem(a.code + QStringLiteral("　") + a.text());
    if (mList->count() > 0)
        mList->setCurrentRow(0);
    connect(mList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(prompt, this));
    layout->addWidget(mList, 1);
    layout->addWidget(buttons);
    resize(460, 360);
}

int CPostalAddressDialog::chosen() const
{
    return mList->currentRow();
}

int CPostalAddressDialog::choose(QWidget* parent, const QString& prompt,
                                 const QList<PostalAddress>& addresses)
{
    CPostalAddressDialog dialog(prompt, addresses, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.chosen() : -1;
}
