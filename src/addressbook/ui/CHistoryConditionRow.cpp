#include "CHistoryConditionRow.h"

#include "addressbook/AddressHistory.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace {

QDateEdit* dateEdit(const QDate& date, QWidget* parent)
{
    auto* edit = new QDateEdit(date, parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    return edit;
}

} // namespace

CHistoryConditionRow::CHistoryConditionRow(const QDate& today, QWidget* parent)
    : QWidget(parent), mUse(new QCheckBox(tr("送受信履歴"), this)),
      mSubject(new QComboBox(this)), mPresence(new QComboBox(this)),
      mPeriod(new QButtonGroup(this)), mYearly(new QRadioButton(tr("年"), this)),
      mRange(new QRadioButton(tr("期間"), this)), mYear(new QSpinBox(this)),
      mFrom(dateEdit(QDate(today.year() - 1, 1, 1), this)),
      mTo(dateEdit(QDate(today.year() - 1, 12, 31), this))
{
    mUse->setObjectName(QStringLiteral("history"));
    mSubject->setObjectName(QStringLiteral("historySubject"));
    mSubject->setEditable(true);
    mSubject->setInsertPolicy(QComboBox::NoInsert);
    mSubject->addItems(AddressHistory::subjects());
    mSubject->setCurrentIndex(0);
    mPresence->setObjectName(QStringLiteral("historyPresence"));
    mPresence->addItems({tr("あり"), tr("なし")});
    mYearly->setObjectName(QStringLiteral("historyYearly"));
    mRange->setObjectName(QStringLiteral("historyRange"));
    mPeriod->addButton(mYearly);
    mPeriod->addButton(mRange);
    mYearly->setChecked(true);
    mYear->setObjectName(QStringLiteral("historyYear"));
    mYear->setRange(FirstYear, LastYear);
    mYear->setValue(today.year() - 1);
    mYear->setSuffix(tr("年"));
    mFrom->setObjectName(QStringLiteral("historyFrom"));
    mTo->setObjectName(QStringLiteral("historyTo"));

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mUse, 0, 0);
    layout->addWidget(mSubject, 0, 1);
    layout->addWidget(mPresence, 0, 2);
    auto* period = new QHBoxLayout;
    period->addWidget(mYearly);
    period->addWidget(mYear);
    period->addWidget(mRange);
    period->addWidget(mFrom);
    period->addWidget(new QLabel(tr("～"), this));
    period->addWidget(mTo);
    period->addStretch();
    layout->addLayout(period, 1, 1, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(mUse, &QCheckBox::toggled, this, &CHistoryConditionRow::enable);
    connect(mYearly, &QRadioButton::toggled, this, &CHistoryConditionRow::enable);
    enable();
}

bool CHistoryConditionRow::isUsed() const
{
    return mUse->isChecked();
}

AddressSearch::HistoryCondition CHistoryConditionRow::condition() const
{
    AddressSearch::HistoryCondition c;
    c.subject = mSubject->currentText().trimmed();
    if (mYearly->isChecked()) {
        AddressSearch::setHistoryYear(c, mYear->value());
    } else {
        c.from = mFrom->date();
        c.to = mTo->date();
    }
    c.present = mPresence->currentIndex() == 0;
    return c;
}

QList<QWidget*> CHistoryConditionRow::tabChain() const
{
    return {mUse, mSubject, mPresence, mYearly, mYear, mRange, mFrom, mTo};
}

void CHistoryConditionRow::enable()
{
    const bool on = mUse->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(mSubject), static_cast<QWidget*>(mPresence),
                       static_cast<QWidget*>(mYearly), static_cast<QWidget*>(mRange)})
        w->setEnabled(on);
    mYear->setEnabled(on && mYearly->isChecked());
    mFrom->setEnabled(on && mRange->isChecked());
    mTo->setEnabled(on && mRange->isChecked());
}
