#include "CAddressDataEditDialog.h"

#include "CPostalAddressDialog.h"
#include "address/AgeCalculator.h"
#include "address/CAddressData.h"
#include "address/NameBlock.h"
#include "postal/PostalCode.h"
#include "postal/PostalData.h"
#include "postal/PostalTable.h"
#include "widgets/CPictureFileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using C = CAddressData;

QStringList honorifics()
{
    return {QString(),
            CAddressDataEditDialog::tr("様"),
            CAddressDataEditDialog::tr("殿"),
            CAddressDataEditDialog::tr("御中"),
            CAddressDataEditDialog::tr("行"),
            CAddressDataEditDialog::tr("先生"),
            CAddressDataEditDialog::tr("くん"),
            CAddressDataEditDialog::tr("ちゃん"),
            CAddressDataEditDialog::tr("各位")};
}

QStringList relations()
{
    QStringList items{CAddressDataEditDialog::tr("友人"),     CAddressDataEditDialog::tr("親戚"),
                      CAddressDataEditDialog::tr("会社関係"), CAddressDataEditDialog::tr("顧客"),
                      CAddressDataEditDialog::tr("取引先"),   CAddressDataEditDialog::tr("家族"),
                      CAddressDataEditDialog::tr("サークル")};
    // A sorted list, as the box has always been; the empty entry stays first.
    std::sort(items.begin(), items.end(),
              [](const QString& a, const QString& b) { return a.localeAwareCompare(b) < 0; });
    items.prepend(QString());
    return items;
}

// One row of a form column: a caption, then the widgets side by side. The widgets that
// take the Tab key join `chain` in the order the rows are laid out.
void addRow(QGridLayout* grid, QList<QWidget*>& chain, const QString& caption,
            std::initializer_list<QWidget*> widgets)
{
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(caption), row, 0);
    auto* line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets) {
        line->addWidget(w, qobject_cast<QLabel*>(w) ? 0 : 1);
        if (w->focusPolicy() & Qt::TabFocus)
            chain.append(w);
    }
    grid->addLayout(line, row, 1);
}

} // namespace

CAddressDataEditDialog::CAddressDataEditDialog(const QDate& today, QWidget* parent)
    : QDialog(parent), mToday(today), mBirthDate(new QDateEdit(this)),
      mNoBirthDate(new QCheckBox(tr("未設定"), this)), mAge(new QSpinBox(this)),
      mPostalStatus(new QLabel(this))
{
    setWindowTitle(tr("住所録データの追加・変更"));
    // Tab goes down the left column, then down the right one.
    QList<QWidget*> tabChain;
    auto* left = new QGridLayout;
    auto* right = new QGridLayout;

    auto* entry = addLine(C::EntryNumber);
    static_cast<QLineEdit*>(entry)->setReadOnly(true);
    addRow(left, tabChain, tr("登録番号"), {entry});
    addRow(left, tabChain, tr("氏名"), {addLine(C::Name), addCombo(C::Honorific, honorifics(), true)});
    addRow(left, tabChain, tr("フリガナ"), {addLine(C::Reading), new QLabel(tr("全角カタカナ"))});
    // "住所から郵便番号" fills the code from the address line below it.
    const auto fromAddress = [this](int codeColumn, const char* name) {
        auto* button = new QPushButton(tr("住所から郵便番号"), this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, codeColumn] { codeFromAddress(codeColumn); });
        return button;
    };
    addRow(left, tabChain, tr("郵便番号"),
           {addLine(C::PostalCode), new QLabel(tr("半角英数（例：123-4567）")),
            fromAddress(C::PostalCode, "codeFromAddress")});
    addRow(left, tabChain, tr("住所1"), {addLine(C::Address1)});
    addRow(left, tabChain, tr("住所2"), {addLine(C::Address2)});
    addRow(left, tabChain, tr("住所3"), {addLine(C::Address3)});
    addRow(left, tabChain, tr("関係"), {addCombo(C::Relation, relations(), true)});
    const std::pair<const char*, int> contacts[] = {{"電話番号1", C::Phone1},
                                                    {"電話番号2", C::Phone2},
                                                    {"携帯電話1", C::Mobile1},
                                                    {"携帯電話2", C::Mobile2},
                                                    {"FAX", C::Fax},
                                                    {"E-メール1", C::Mail1},
                                                    {"E-メール2", C::Mail2},
                                                    {"携帯メール1", C::MobileMail1},
                                                    {"携帯メール2", C::MobileMail2},
                                                    {"URL", C::Url}};
    for (const auto& [caption, column] : contacts)
        addRow(left, tabChain, tr(caption), {addLine(column)});
    auto* open = new QPushButton(tr("開く"), this);
    open->setObjectName(QStringLiteral("openPicture"));
    open->setAutoDefault(false);
    connect(open, &QPushButton::clicked, this, &CAddressDataEditDialog::openPicture);
    addRow(left, tabChain, tr("画像"), {addLine(C::Picture), open});
    // The empty entry clears the value; a value of another program's ("男") is added to
    // the list when a record holding it is opened.
    addRow(left, tabChain, tr("性別"), {addCombo(C::Sex, {QString(), tr("男性"), tr("女性")}, false)});
    mBirthDate->setObjectName(QStringLiteral("birthDate"));
    mBirthDate->setCalendarPopup(true);
    mBirthDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    mBirthDate->setDate(today);
    mBirthDate->setEnabled(false);
    connect(mBirthDate, &QDateEdit::dateChanged, this, &CAddressDataEditDialog::birthDateChanged);
    mNoBirthDate->setObjectName(QStringLiteral("noBirthDate"));
    mNoBirthDate->setChecked(true);
    connect(mNoBirthDate, &QCheckBox::toggled, mBirthDate, &QWidget::setDisabled);
    addRow(left, tabChain, tr("生年月日"), {mBirthDate, mNoBirthDate});
    mAge->setObjectName(QStringLiteral("age"));
    mNumbers.add(mAge, 0, 120, 0);
    addRow(left, tabChain, tr("年齢"), {mAge});

    addRow(right, tabChain, tr("会社"), {addLine(C::Company)});
    addRow(right, tabChain, tr("会社郵便番号"),
           {addLine(C::CompanyPostalCode), new QLabel(tr("半角英数（例：123-4567）")),
            fromAddress(C::CompanyPostalCode, "companyCodeFromAddress")});
    for (int codeColumn : {int(C::PostalCode), int(C::CompanyPostalCode)}) {
        connect(line(codeColumn), &QLineEdit::textEdited, this,
                [this, codeColumn] { postalCodeEdited(codeColumn); });
    }
    const std::pair<const char*, int> company[] = {{"会社住所1", C::CompanyAddress1},
                                                   {"会社住所2", C::CompanyAddress2},
                                                   {"会社住所3", C::CompanyAddress3},
                                                   {"部署", C::Department},
                                                   {"役職", C::Position},
                                                   {"会社電話1", C::CompanyPhone1},
                                                   {"会社電話2", C::CompanyPhone2},
                                                   {"会社FAX", C::CompanyFax},
                                                   {"会社メール", C::CompanyMail},
                                                   {"会社URL", C::CompanyUrl}};
    for (const auto& [caption, column] : company)
        addRow(right, tabChain, tr(caption), {addLine(column)});
    for (int k = 0; k < 5; ++k) {
        const int column = C::JointName1 + 2 * k;
        addRow(right, tabChain, tr("連名%1").arg(k + 1),
               {addLine(column), addCombo(column + 1, honorifics(), true)});
        // A joint name takes the record's honorific as it is typed (still free to change).
        auto* honorific = static_cast<QComboBox*>(mFields.value(column + 1));
        connect(line(column), &QLineEdit::textEdited, this, [this, honorific](const QString& text) {
            if (!text.trimmed().isEmpty() && honorific->currentText().isEmpty())
                honorific->setCurrentText(
                    static_cast<QComboBox*>(mFields.value(C::Honorific))->currentText());
        });
    }
    addRow(right, tabChain, tr("備考1"), {addLine(C::Note1)});
    addRow(right, tabChain, tr("備考2"), {addLine(C::Note2)});
    right->setRowStretch(right->rowCount(), 1);
    left->setRowStretch(left->rowCount(), 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(16);
    columns->addLayout(right, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    mPostalStatus->setObjectName(QStringLiteral("postalStatus"));
    layout->addWidget(mPostalStatus);
    layout->addWidget(buttons);

    // The read-only entry number is no stop: the first is 氏名.
    tabChain.removeAll(entry);
    tabChain << buttons->button(QDialogButtonBox::Ok) << buttons->button(QDialogButtonBox::Cancel);
    for (int i = 0; i + 1 < tabChain.size(); ++i)
        setTabOrder(tabChain.at(i), tabChain.at(i + 1));
    entry->setFocusPolicy(Qt::ClickFocus);
    mFields.value(C::Name)->setFocus();
}

CAddressDataEditDialog::~CAddressDataEditDialog() = default;

QWidget* CAddressDataEditDialog::addLine(int column)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("column%1").arg(column));
    mFields.insert(column, edit);
    return edit;
}

QComboBox* CAddressDataEditDialog::addCombo(int column, const QStringList& items, bool editable)
{
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("column%1").arg(column));
    box->setEditable(editable);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    mFields.insert(column, box);
    return box;
}

bool CAddressDataEditDialog::edit(QWidget* parent, QStringList& values, const QDate& today)
{
    CAddressDataEditDialog dialog(today, parent);
    dialog.setValues(values);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.values();
    return true;
}

void CAddressDataEditDialog::setValues(const QStringList& values)
{
    for (auto it = mFields.cbegin(); it != mFields.cend(); ++it) {
        const QString value = values.value(it.key());
        if (auto* edit = qobject_cast<QLineEdit*>(it.value())) {
            edit->setText(value);
        } else if (auto* box = qobject_cast<QComboBox*>(it.value())) {
            if (box->isEditable()) {
                box->setCurrentText(value);
            } else {
                if (box->findText(value) < 0)
                    box->addItem(value);
                box->setCurrentIndex(box->findText(value));
            }
        }
    }
    // A stored date that names no real day stays as it is unless the user picks a date;
    // the picker then starts on today. The age is the stored one, whatever the date.
    mStoredBirth = values.value(C::BirthDate);
    mStoredAge = values.value(C::Age);
    const QDate birth = AgeCalculator::readDate(mStoredBirth);
    {
        const QSignalBlocker blocker(mBirthDate);
        mBirthDate->setDate(birth.isValid() ? birth : mToday);
    }
    mNoBirthDate->setChecked(!birth.isValid() || mBirthDate->date() != birth);
    mShownBirth = birthShown();
    mAge->setValue(std::clamp(AgeCalculator::leadingNumber(mStoredAge), 0, 120));
    mShownAge = mAge->value();
}

QDate CAddressDataEditDialog::birthShown() const
{
    return mNoBirthDate->isChecked() ? QDate() : mBirthDate->date();
}

QStringList CAddressDataEditDialog::values() const
{
    QStringList values(C::TextColumnCount);
    for (auto it = mFields.cbegin(); it != mFields.cend(); ++it) {
        if (auto* edit = qobject_cast<QLineEdit*>(it.value()))
            values[it.key()] = edit->text();
        else if (auto* box = qobject_cast<QComboBox*>(it.value()))
            values[it.key()] = box->currentText();
    }
    // What the user left alone comes back exactly as it was stored.
    const QDate birth = birthShown();
    if (birth == mShownBirth)
        values[C::BirthDate] = mStoredBirth;
    else
        values[C::BirthDate] = birth.isValid() ? AgeCalculator::dateText(birth) : QString();
    values[C::Age] = mAge->value() == mShownAge ? mStoredAge : QString::number(mAge->value());
    // Codes in the one form the digit boxes print; what cannot be read as a code stays as
    // typed (the address list marks it).
    values[C::PostalCode] = PostalCode::storedForm(values.at(C::PostalCode));
    values[C::CompanyPostalCode] = PostalCode::storedForm(values.at(C::CompanyPostalCode));
    NameBlock::fillJointHonorifics(values);
    return values;
}

void CAddressDataEditDialog::birthDateChanged(const QDate& date)
{
    mNoBirthDate->setChecked(false);
    const AgeCalculator::Parts birth{date.year(), date.month(), date.day()};
    mAge->setValue(std::clamp(AgeCalculator::age(birth, mToday), 0, 120));
}

void CAddressDataEditDialog::accept()
{
    if (mNumbers.check([this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); }))
        QDialog::accept();
}

void CAddressDataEditDialog::openPicture()
{
    auto* edit = static_cast<QLineEdit*>(mFields.value(C::Picture));
    const QString path = choosePicture(edit->text());
    if (!path.isEmpty())
        edit->setText(QFileInfo(path).absoluteFilePath());
}

QString CAddressDataEditDialog::choosePicture(const QString& current)
{
    return CPictureFileDialog::choose(this, current,
                                      tr("画像ファイル (*.jpg *.bmp *.png *.tif *.gif)"));
}

QLineEdit* CAddressDataEditDialog::line(int column) const
{
    return static_cast<QLineEdit*>(mFields.value(column));
}

const PostalTable& CAddressDataEditDialog::postalTable() const
{
    return mPostalTable ? *mPostalTable : PostalData::table();
}

QString CAddressDataEditDialog::postalUnavailable() const
{
    return mPostalTable ? PostalTable::missingMessage() : PostalData::unavailableMessage();
}

int CAddressDataEditDialog::pickAddress(const QString& prompt,
                                        const QList<PostalAddress>& addresses)
{
    if (addresses.size() == 1)
        return 0;
    const int pick = chooseAddress(prompt, addresses);
    return pick < addresses.size() ? pick : -1;
}

void CAddressDataEditDialog::postalCodeEdited(int codeColumn)
{
    const QString code = PostalCode::normalised(line(codeColumn)->text());
    if (code.isEmpty()) {
        // An incomplete code may be completed again later and offered again.
        mOffered.remove(codeColumn);
        mPostalStatus->clear();
        return;
    }
    if (mOffered.value(codeColumn) == code)
        return;
    // After the key press that completed the code, not inside it; from a timer, as a
    // dialog run from a posted event would leave the windows unpainted until it closes.
    QTimer::singleShot(0, this, [this, codeColumn] { offerAddress(codeColumn); });
}

void CAddressDataEditDialog::offerAddress(int codeColumn)
{
    QLineEdit* codeEdit = line(codeColumn);
    QLineEdit* addressEdit =
        line(codeColumn == C::CompanyPostalCode ? C::CompanyAddress1 : C::Address1);
    const QString code = PostalCode::normalised(codeEdit->text());
    if (code.isEmpty())
        return;
    mOffered.insert(codeColumn, code);
    const PostalTable& table = postalTable();
    if (!table.isLoaded()) {
        mPostalStatus->setText(postalUnavailable());
        return;
    }
    codeEdit->setText(code);
    const QList<PostalAddress> found = table.addresses(code);
    if (found.isEmpty()) {
        mPostalStatus->setText(tr("郵便番号 %1 は見つかりません。").arg(code));
        return;
    }
    mPostalStatus->clear();
    const int pick = pickAddress(tr("郵便番号 %1 の住所を選んでください。").arg(code), found);
    if (pick < 0)
        return;
    const QString address = found.at(pick).text();
    const QString current = addressEdit->text();
    // A line that already starts with the address keeps its house number.
    if (current.startsWith(address))
        return;
    if (!current.isEmpty() &&
        !confirm(tr("「%1」を「%2」に置き換えますか？").arg(current, address)))
        return;
    addressEdit->setText(address);
}

void CAddressDataEditDialog::codeFromAddress(int codeColumn)
{
    const bool company = codeColumn == C::CompanyPostalCode;
    const QString address = line(company ? C::CompanyAddress1 : C::Address1)->text();
    if (address.trimmed().isEmpty()) {
        tell(company ? tr("会社住所1を入力してください。") : tr("住所1を入力してください。"));
        return;
    }
    const PostalTable& table = postalTable();
    if (!table.isLoaded()) {
        tell(postalUnavailable());
        return;
    }
    const QList<PostalAddress> found = table.codesForAddress(address);
    if (found.isEmpty()) {
        tell(company ? tr("会社住所1に合う郵便番号が見つかりません。")
                     : tr("住所1に合う郵便番号が見つかりません。"));
        return;
    }
    const int pick = pickAddress(tr("郵便番号を選んでください。"), found);
    if (pick < 0)
        return;
    mOffered.insert(codeColumn, found.at(pick).code);
    line(codeColumn)->setText(found.at(pick).code);
}

int CAddressDataEditDialog::chooseAddress(const QString& prompt,
                                          const QList<PostalAddress>& addresses)
{
    return CPostalAddressDialog::choose(this, prompt, addresses);
}

bool CAddressDataEditDialog::confirm(const QString& question)
{
    return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void CAddressDataEditDialog::tell(const QString& message)
{
    QMessageBox::information(this, windowTitle(), message);
}
