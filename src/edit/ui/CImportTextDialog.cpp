#include "CImportTextDialog.h"

#include "GuideFrameEdit.h"

#include <QDialogButtonBox>
#include <QTimer>
#include <QVBoxLayout>

CImportTextDialog::CImportTextDialog(const QString& text,
                                     std::function<QList<int>(const QString&)> slack,
                                     QWidget* parent)
    : QDialog(parent), mSlack(std::move(slack)), mEdit(new GuideFrameEdit(this)),
      mTimer(new QTimer(this))
{
    setWindowTitle(tr("文字列の読み込み"));
    setObjectName(QStringLiteral("ImportTextDialog"));
    mEdit->setObjectName(QStringLiteral("text"));
    mEdit->setPlainText(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addWidget(mEdit, 1);
    top->addWidget(buttons);
    resize(560, 360);

    connect(mEdit, &QPlainTextEdit::textChanged, this, &CImportTextDialog::refreshFrames);
    connect(mTimer, &QTimer::timeout, this, &CImportTextDialog::refreshFrames);
    mTimer->start(1000);
    refreshFrames();
    mEdit->setFocus();
}

QString CImportTextDialog::text() const
{
    return mEdit->toPlainText();
}

void CImportTextDialog::refreshFrames()
{
    mEdit->setSlacks(mSlack ? mSlack(text()) : QList<int>());
    mEdit->viewport()->update();
}
