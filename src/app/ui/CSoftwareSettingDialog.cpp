#include "CSoftwareSettingDialog.h"

#include "CTemplateFileDialog.h"

#include "model/UndoSnapshots.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

template <size_t N>
QGroupBox* radioGroup(const QString& title, std::array<QRadioButton*, N>& buttons,
                      const std::array<QString, N>& texts, int checked, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (size_t i = 0; i < N; ++i) {
        buttons[i] = new QRadioButton(texts[i], box);
        group->addButton(buttons[i], int(i));
        layout->addWidget(buttons[i]);
    }
    buttons[size_t(checked >= 0 && size_t(checked) < N ? checked : 0)]->setChecked(true);
    return box;
}

template <size_t N> int checkedIndex(const std::array<QRadioButton*, N>& buttons)
{
    for (size_t i = 0; i < N; ++i) {
        if (buttons[i]->isChecked())
            return int(i);
    }
    return 0;
}

} // namespace

CSoftwareSettingDialog::CSoftwareSettingDialog(const SoftwareSettings& v, QWidget* parent)
    : RangeCheckedDialog(parent)
{
    setWindowTitle(tr("環境設定"));

    auto* fileRow = new QHBoxLayout;
    mTemplate = new QLineEdit(v.defaultTemplate, this);
    auto* open = new QPushButton(tr("開く"), this);
    fileRow->addWidget(mTemplate, 1);
    fileRow->addWidget(open);
    connect(open, &QPushButton::clicked, this, &CSoftwareSettingDialog::chooseTemplate);

    auto* templateBox = new QGroupBox(tr("テンプレートモード"), this);
    auto* templateLayout = new QVBoxLayout(templateBox);
    mSizeNewRegions =
        new QCheckBox(tr("追加する文字列編集領域のサイズを文字列にあわせる"), templateBox);
    mSizeNewRegions->setChecked(v.environment.sizeNewRegions != 0);
    templateLayout->addWidget(mSizeNewRegions);
    templateLayout->addWidget(radioGroup<3>(
        tr("変更した文字列が文字列編集領域に収まらないときの動作"), mFitTemplate,
        {tr("そのまま"), tr("文字列編集領域を縮小する"), tr("文字列編集領域を拡張する")},
        v.environment.fitTemplate, templateBox));

    auto* dataBox = new QGroupBox(tr("データモード"), this);
    auto* dataLayout = new QVBoxLayout(dataBox);
    auto* loadBox = new QGroupBox(tr("住所録データ・CSVファイルデータの読み込み"), dataBox);
    auto* loadLayout = new QVBoxLayout(loadBox);
    mKanjiNumerals = new QCheckBox(tr("縦書きフォントのときは数字を漢字にする"), loadBox);
    mKanjiNumerals->setChecked(v.environment.kanjiNumerals != 0);
    loadLayout->addWidget(mKanjiNumerals);
    auto* styleRow = new QHBoxLayout;
    mNumeralStyle = new QComboBox(loadBox);
    mNumeralStyle->setObjectName(QStringLiteral("numeralStyle"));
    mNumeralStyle->addItems({tr("一字ずつ（10 → 一〇）"), tr("位を付ける（10 → 十、23 → 二十三）")});
    mNumeralStyle->setCurrentIndex(v.environment.numeralStyle == 1 ? 1 : 0);
    auto* styleLabel = new QLabel(tr("漢数字の書き方(&W)："), loadBox);
    styleLabel->setBuddy(mNumeralStyle);
    styleRow->addSpacing(20);
    styleRow->addWidget(styleLabel);
    styleRow->addWidget(mNumeralStyle, 1);
    loadLayout->addLayout(styleRow);
    mNumeralDashes =
        new QCheckBox(tr("数字と数字の間のハイフン（-、－）を「ー」にする"), loadBox);
    mNumeralDashes->setObjectName(QStringLiteral("numeralDashes"));
    mNumeralDashes->setChecked(v.environment.numeralDashes != 0);
    auto* dashRow = new QHBoxLayout;
    dashRow->addSpacing(20);
    dashRow->addWidget(mNumeralDashes, 1);
    loadLayout->addLayout(dashRow);
    const auto followNumerals = [this](bool on) {
        mNumeralStyle->setEnabled(on);
        mNumeralDashes->setEnabled(on);
    };
    connect(mKanjiNumerals, &QCheckBox::toggled, this, followNumerals);
    followNumerals(mKanjiNumerals->isChecked());
    dataLayout->addWidget(loadBox);
    mPictureAspect = new QCheckBox(
        tr("読み込んだ画像の縦横比に合わせて文字列編集領域のサイズを調節する"), dataBox);
    mPictureAspect->setChecked(v.environment.pictureAspect != 0);
    dataLayout->addWidget(mPictureAspect);
    dataLayout->addWidget(radioGroup<4>(
        tr("読み込んだまたは変更した文字列が文字列編集領域に収まらないときの動作"), mFitData,
        {tr("そのまま"), tr("文字列編集領域を縮小する"), tr("文字列編集領域を拡張する"),
         tr("文字列を2行にする")},
        v.environment.fitData, dataBox));
    mAskSentHistory =
        new QCheckBox(tr("印刷の後で、印刷した宛先に送受信履歴を追加するか確認する"), dataBox);
    mAskSentHistory->setObjectName(QStringLiteral("askSentHistory"));
    mAskSentHistory->setChecked(v.askSentHistory);
    dataLayout->addWidget(mAskSentHistory);
    mHonorificSama = new QCheckBox(tr("新しい住所録データの敬称を「様」にする"), dataBox);
    mHonorificSama->setObjectName(QStringLiteral("honorificSama"));
    mHonorificSama->setChecked(v.environment.honorificSama != 0);
    dataLayout->addWidget(mHonorificSama);
    mMoveByReading = new QCheckBox(
        tr("住所録データを保存したら、フリガナの行（あ・か・さ…）のタブへ移す"), dataBox);
    mMoveByReading->setObjectName(QStringLiteral("moveByReading"));
    mMoveByReading->setChecked(v.environment.moveByReading != 0);
    dataLayout->addWidget(mMoveByReading);

    auto* undoRow = new QHBoxLayout;
    mUndoDepth = addNumber("undoDepth", UndoSnapshots::MinDepth, UndoSnapshots::MaxDepth,
                           UndoSnapshots::clampDepth(v.undoDepth));
    undoRow->addWidget(new QLabel(tr("元に戻す回数："), this));
    undoRow->addWidget(mUndoDepth);
    undoRow->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // In Japanese also where Qt's own translations are not installed.
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CSoftwareSettingDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("デフォルトのシートテンプレートファイル："), this));
    layout->addLayout(fileRow);
    layout->addWidget(templateBox);
    layout->addWidget(dataBox);
    layout->addLayout(undoRow);
    layout->addWidget(buttons);
}

SoftwareSettings CSoftwareSettingDialog::values() const
{
    SoftwareSettings s;
    s.defaultTemplate = mTemplate->text();
    s.environment.sizeNewRegions = mSizeNewRegions->isChecked() ? 1 : 0;
    s.environment.fitTemplate = checkedIndex(mFitTemplate);
    s.environment.kanjiNumerals = mKanjiNumerals->isChecked() ? 1 : 0;
    s.environment.numeralStyle = mNumeralStyle->currentIndex() == 1 ? 1 : 0;
    s.environment.numeralDashes = mNumeralDashes->isChecked() ? 1 : 0;
    s.environment.pictureAspect = mPictureAspect->isChecked() ? 1 : 0;
    s.environment.fitData = checkedIndex(mFitData);
    s.askSentHistory = mAskSentHistory->isChecked();
    s.environment.honorificSama = mHonorificSama->isChecked() ? 1 : 0;
    s.environment.moveByReading = mMoveByReading->isChecked() ? 1 : 0;
    s.undoDepth = mUndoDepth->value();
    return s;
}

void CSoftwareSettingDialog::chooseTemplate()
{
    const QString path = CTemplateFileDialog::getOpenFileName(this, mTemplate->text());
    if (!path.isEmpty())
        mTemplate->setText(path);
}

bool CSoftwareSettingDialog::run(QWidget* parent, CORINOTEDoc& doc)
{
    CSoftwareSettingDialog dialog(SoftwareSettings::fromDocument(doc), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.values().apply(doc);
    return true;
}
