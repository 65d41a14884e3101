#include "CSearchDataDialog.h"

#include "CHistoryConditionRow.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QComboBox* choiceBox(QWidget* parent, const QString& name, const QStringList& items, bool editable)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(editable);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setCurrentIndex(0);
    return box;
}

} // namespace

CSearchDataDialog::CSearchDataDialog(const QDate& today, QWidget* parent)
    : QDialog(parent), mCombination(new QButtonGroup(this)), mAnd(new QRadioButton(tr("AND"), this)),
      mOr(new QRadioButton(tr("OR"), this)),
      mRelation(
          choiceBox(this, QStringLiteral("relation"), AddressSearch::relationChoices(), true)),
      mSex(choiceBox(this, QStringLiteral("sex"), AddressSearch::sexChoices(), false)),
      mBirthDate(new QDateEdit(today, this)),
      mBirthCondition(choiceBox(this, QStringLiteral("birthCondition"),
                                AddressSearch::birthConditions(), false)),
      mAge(new QSpinBox(this)), mAgeCondition(choiceBox(this, QStringLiteral("ageCondition"),
                                                        AddressSearch::ageConditions(), false)),
      mReservation(choiceBox(this, QStringLiteral("reservation"),
                             AddressSearch::reservationChoices(), false))
{
    setWindowTitle(tr("検索"));
    mAnd->setObjectName(QStringLiteral("and"));
    mOr->setObjectName(QStringLiteral("or"));
    mCombination->addButton(mAnd);
    mCombination->addButton(mOr);
    mAnd->setChecked(true);
    auto* combination = new QHBoxLayout;
    combination->addWidget(mAnd);
    combination->addWidget(mOr);
    combination->addStretch();

    auto* keywords = new QGridLayout;
    const QStringList fields = AddressSearch::fieldNames();
    for (int k = 0; k < AddressSearch::KeywordCount; ++k) {
        mFields[size_t(k)] = choiceBox(this, QStringLiteral("field%1").arg(k), fields, false);
        mKeywords[size_t(k)] = new QLineEdit(this);
        mKeywords[size_t(k)]->setObjectName(QStringLiteral("keyword%1").arg(k));
        keywords->addWidget(mFields[size_t(k)], k, 0);
        keywords->addWidget(mKeywords[size_t(k)], k, 1);
    }
    keywords->setColumnStretch(1, 1);

    mBirthDate->setObjectName(QStringLiteral("birthDate"));
    mBirthDate->setCalendarPopup(true);
    mBirthDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    mAge->setObjectName(QStringLiteral("age"));
    mNumbers.add(mAge, 0, 120, 0);
    auto* conditions = new QGridLayout;
    conditions->addWidget(new QLabel(tr("関係"), this), 0, 0);
    conditions->addWidget(mRelation, 0, 1);
    conditions->addWidget(new QLabel(tr("性別"), this), 1, 0);
    conditions->addWidget(mSex, 1, 1);
    conditions->addWidget(new QLabel(tr("生年月日"), this), 2, 0);
    conditions->addWidget(mBirthDate, 2, 1);
    conditions->addWidget(mBirthCondition, 2, 2);
    conditions->addWidget(new QLabel(tr("年齢"), this), 3, 0);
    auto* age = new QHBoxLayout;
    age->addWidget(mAge);
    age->addWidget(new QLabel(tr("才"), this));
    conditions->addLayout(age, 3, 1);
    conditions->addWidget(mAgeCondition, 3, 2);
    conditions->addWidget(new QLabel(tr("印刷予約："), this), 4, 0);
    conditions->addWidget(mReservation, 4, 1);

    // 送受信履歴: each line a condition of its own, last year by default.
    auto* history = new QVBoxLayout;
    for (int r = 0; r < HistoryRowCount; ++r) {
        mHistory[size_t(r)] = new CHistoryConditionRow(today, this);
        mHistory[size_t(r)]->setObjectName(QStringLiteral("historyRow%1").arg(r));
        history->addWidget(mHistory[size_t(r)]);
        QSpinBox* year = mHistory[size_t(r)]->yearBox();
        mNumbers.add(year, CHistoryConditionRow::FirstYear, CHistoryConditionRow::LastYear,
                     year->value());
    }

    auto* searchButton = new QPushButton(tr("検索"), this);
    searchButton->setObjectName(QStringLiteral("search"));
    searchButton->setDefault(true);
    connect(searchButton, &QPushButton::clicked, this, &CSearchDataDialog::search);
    auto* cancel = new QPushButton(tr("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(searchButton);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(combination);
    layout->addLayout(keywords);
    layout->addLayout(conditions);
    layout->addLayout(history);
    layout->addLayout(buttons);
    resize(520, sizeHint().height());

    // Tab follows the screen: the combination, each field and its words, the conditions,
    // then the buttons; the first words are where typing starts.
    QList<QWidget*> chain{mAnd, mOr};
    for (int k = 0; k < AddressSearch::KeywordCount; ++k)
        chain << mFields[size_t(k)] << mKeywords[size_t(k)];
    chain << mRelation << mSex << mBirthDate << mBirthCondition << mAge << mAgeCondition
          << mReservation;
    for (const CHistoryConditionRow* row : mHistory)
        chain << row->tabChain();
    chain << searchButton << cancel;
    for (int i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain.at(i), chain.at(i + 1));
    mKeywords[0]->setFocus();
}

bool CSearchDataDialog::ask(QWidget* parent, AddressSearch::Criteria& criteria, const QDate& today)
{
    CSearchDataDialog dialog(today, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    criteria = dialog.criteria();
    return true;
}

AddressSearch::Criteria CSearchDataDialog::criteria() const
{
    AddressSearch::Criteria c;
    c.useOr = mOr->isChecked();
    for (int k = 0; k < AddressSearch::KeywordCount; ++k) {
        c.fields[size_t(k)] = mFields[size_t(k)]->currentIndex();
        c.keywords[size_t(k)] = mKeywords[size_t(k)]->text();
    }
    c.relation = mRelation->currentText();
    c.sex = mSex->currentIndex();
    c.birthCondition = mBirthCondition->currentIndex();
    c.birthDate = mBirthDate->date();
    c.ageCondition = mAgeCondition->currentIndex();
    c.age = mAge->value();
    c.reservation = mReservation->currentIndex();
    for (const CHistoryConditionRow* row : mHistory) {
        if (row->isUsed())
            c.history.append(row->condition());
    }
    return c;
}

void CSearchDataDialog::search()
{
    const QString message = AddressSearch::validate(criteria());
    if (!message.isEmpty()) {
        showMessage(message);
        return;
    }
    accept();
}

void CSearchDataDialog::accept()
{
    if (mNumbers.check([this](const QString& text) { showMessage(text); }))
        QDialog::accept();
}

void CSearchDataDialog::showMessage(const QString& text)
{
    QMessageBox::warning(this, windowTitle(), text);
}
