#include "CCardSeasonDialog.h"

#include "address/AddressBook.h"
#include "address/CAddressData.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CCardSeasonDialog::CCardSeasonDialog(const AddressBook& book, const CardSeason::Plan& plan,
                                     int thisYear, QWidget* parent)
    : QDialog(parent), mList(new QListWidget(this))
{
    setWindowTitle(tr("年賀状の準備"));
    auto* rule = new QLabel(tr("%1年に「送信-年賀状」か「受信-年賀状」の送受信履歴がある宛先を"
                               "印刷予約します。%2年に「受信-喪中」がある宛先は除きます。")
                                .arg(thisYear - 1)
                                .arg(thisYear),
                            this);
    rule->setWordWrap(true);
    auto* counts = new QLabel(tr("送信-年賀状: %1件　受信-年賀状: %2件　喪中で除外: %3件　"
                                 "印刷予約: %4件")
                                  .arg(plan.sent)
                                  .arg(plan.received)
                                  .arg(plan.mourning)
                                  .arg(plan.records.size()),
                              this);
    counts->setObjectName(QStringLiteral("counts"));
    mList->setObjectName(QStringLiteral("records"));
    for (const AddressRecordRef& ref : plan.records) {
        const CAddressData& g = book.group(ref.group);
        mList->addItem(g.field(ref.record, CAddressData::EntryNumber) + QStringLiteral("  ") +
                       g.field(ref.record, CAddressData::Name));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!plan.records.isEmpty());
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rule);
    layout->addWidget(counts);
    layout->addWidget(mList);
    layout->addWidget(buttons);
    resize(480, 420);
}

bool CCardSeasonDialog::ask(QWidget* parent, const AddressBook& book, const CardSeason::Plan& plan,
                            int thisYear)
{
    CCardSeasonDialog dialog(book, plan, thisYear, parent);
    return dialog.exec() == QDialog::Accepted;
}
