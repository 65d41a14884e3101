#include "CSendRecordDialog.h"

#include "address/AgeCalculator.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSendRecordDialog::CSendRecordDialog(const QDate& today, QWidget* parent)
    : QDialog(parent), mToday(today), mDate(new QDateEdit(this)), mSubject(new QComboBox(this)),
      mNote(new QLineEdit(this)), mQuestion(new QLabel(this)),
      mButtons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("送受信履歴の追加・変更"));
    mDate->setObjectName(QStringLiteral("date"));
    mDate->setCalendarPopup(true);
    mDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    mDate->setDate(today);
    mSubject->setObjectName(QStringLiteral("subject"));
    mSubject->setEditable(true);
    mSubject->setInsertPolicy(QComboBox::NoInsert);
    mSubject->addItems(AddressHistory::subjects());
    mSubject->setCurrentIndex(0);
    mNote->setObjectName(QStringLiteral("note"));

    auto* form = new QFormLayout;
    form->addRow(tr("日付："), mDate);
    form->addRow(tr("件名："), mSubject);
    form->addRow(tr("備考："), mNote);
    mQuestion->setObjectName(QStringLiteral("question"));
    mQuestion->setWordWrap(true);
    mQuestion->hide();
    QDialogButtonBox* buttons = mButtons;
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mQuestion);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(400, sizeHint().height());
}

bool CSendRecordDialog::edit(QWidget* parent, AddressHistory::Entry& entry, const QDate& today)
{
    CSendRecordDialog dialog(today, parent);
    dialog.setEntry(entry);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    entry = dialog.entry();
    return true;
}

bool CSendRecordDialog::askAfterPrint(QWidget* parent, int records, AddressHistory::Entry& entry,
                                      const QDate& today)
{
    CSendRecordDialog dialog(today, parent);
    dialog.setEntry(entry);
    dialog.setQuestion(tr("印刷した宛先に送受信履歴を追加しますか？\n（%1件）").arg(records));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    entry = dialog.entry();
    return true;
}

void CSendRecordDialog::setQuestion(const QString& question)
{
    setWindowTitle(QStringLiteral("ORINOTE"));
    mQuestion->setText(question);
    mQuestion->show();
    mButtons->button(QDialogButtonBox::Ok)->setText(tr("はい"));
    mButtons->button(QDialogButtonBox::Cancel)->setText(tr("いいえ"));
}

void CSendRecordDialog::setEntry(const AddressHistory::Entry& entry)
{
    const QDate date = AgeCalculator::readDate(entry.date);
    mDate->setDate(date.isValid() ? date : mToday);
    mSubject->setCurrentText(entry.subject);
    mNote->setText(entry.note);
}

AddressHistory::Entry CSendRecordDialog::entry() const
{
    return {mSubject->currentText(), AgeCalculator::dateText(mDate->date()), mNote->text()};
}
