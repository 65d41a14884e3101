#include "CFindReplaceTextDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CFindReplaceTextDialog::CFindReplaceTextDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("検索・置換"));
    setObjectName(QStringLiteral("FindReplaceTextDialog"));
    setModal(false);
    mFind = new QLineEdit(this);
    mReplace = new QLineEdit(this);
    auto* form = new QFormLayout;
    form->addRow(tr("検索する文字列："), mFind);
    form->addRow(tr("置換後の文字列："), mReplace);
    auto* next = new QPushButton(tr("次を検索"), this);
    auto* replace = new QPushButton(tr("置換"), this);
    auto* all = new QPushButton(tr("すべて置換"), this);
    auto* close = new QPushButton(tr("閉じる"), this);
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &CFindReplaceTextDialog::findNextRequested);
    connect(replace, &QPushButton::clicked, this, &CFindReplaceTextDialog::replaceRequested);
    connect(all, &QPushButton::clicked, this, &CFindReplaceTextDialog::replaceAllRequested);
    connect(close, &QPushButton::clicked, this, &CFindReplaceTextDialog::reject);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {next, replace, all, close})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(form, 1);
    top->addLayout(buttons);
}

QString CFindReplaceTextDialog::findText() const
{
    return mFind->text();
}

QString CFindReplaceTextDialog::replacement() const
{
    return mReplace->text();
}

void CFindReplaceTextDialog::setTexts(const QString& find, const QString& replacement)
{
    mFind->setText(find);
    mReplace->setText(replacement);
}

void CFindReplaceTextDialog::reject()
{
    emit closeRequested();
    hide();
}
