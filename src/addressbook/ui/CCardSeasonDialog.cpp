#include "CCardSeasonDialog.h"

#include "address/AddressBook.h"
#include "address/CAddressData.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QString day(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

} // namespace

CCardSeasonDialog::CCardSeasonDialog(const AddressBook& book, const CardSeason::Plan& plan,
                                     QWidget* parent)
    : QDialog(parent), mBook(book), mYear(new QSpinBox(this)), mRule(new QLabel(this)),
      mCounts(new QLabel(this)), mList(new QListWidget(this))
{
    setWindowTitle(tr("年賀状の準備"));
    mYear->setObjectName(QStringLiteral("newYear"));
    mNumbers.add(mYear, 1901, 2200, plan.newYear);
    mYear->setSuffix(tr("年の年賀状"));
    mRule->setObjectName(QStringLiteral("rule"));
    mRule->setWordWrap(true);
    mCounts->setObjectName(QStringLiteral("counts"));
    mList->setObjectName(QStringLiteral("records"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    mOk = buttons->button(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(mYear, &QSpinBox::valueChanged, this, [this](int year) {
        // A year being typed may be outside the range for a moment: plan only real years.
        if (year >= 1901 && year <= 2200)
            show(CardSeason::plan(mBook, year));
    });
    auto* year = new QHBoxLayout;
    year->addWidget(new QLabel(tr("準備する年:"), this));
    year->addWidget(mYear);
    year->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(year);
    layout->addWidget(mRule);
    layout->addWidget(mCounts);
    layout->addWidget(mList);
    layout->addWidget(buttons);
    resize(520, 440);
    show(plan);
}

void CCardSeasonDialog::accept()
{
    if (mNumbers.check([this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); }))
        QDialog::accept();
}

void CCardSeasonDialog::show(const CardSeason::Plan& plan)
{
    mPlan = plan;
    const int n = plan.newYear;
    mRule->setText(tr("%1年の年賀状の季節（%2～%3）に「送信-年賀状」か「受信-年賀状」の"
                      "送受信履歴がある宛先を印刷予約します。%4以降の「受信-喪中」がある宛先は"
                      "除きます。")
                       .arg(n - 1)
                       .arg(day(CardSeason::seasonStart(n - 1)), day(CardSeason::seasonEnd(n - 1)),
                            day(CardSeason::mourningFrom(n))));
    mCounts->setText(tr("送信-年賀状: %1件　受信-年賀状: %2件　喪中で除外: %3件　"
                        "印刷予約: %4件")
                         .arg(plan.sent)
                         .arg(plan.received)
                         .arg(plan.mourning)
                         .arg(plan.records.size()));
    mList->clear();
    for (const AddressRecordRef& ref : plan.records) {
        const CAddressData& g = mBook.group(ref.group);
        mList->addItem(g.field(ref.record, CAddressData::EntryNumber) + QStringLiteral("  ") +
                       g.field(ref.record, CAddressData::Name));
    }
    mOk->setEnabled(!plan.records.isEmpty());
}

bool CCardSeasonDialog::ask(QWidget* parent, const AddressBook& book, CardSeason::Plan& plan)
{
    CCardSeasonDialog dialog(book, plan, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    plan = dialog.plan();
    return true;
}
