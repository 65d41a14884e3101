#include "CLoadPicPlaceDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

CLoadPicPlaceDialog::CLoadPicPlaceDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("画像印刷オプション"));
    setObjectName(QStringLiteral("LoadPicPlaceDialog"));

    auto* target = new QGroupBox(tr("画像の読み込み先"), this);
    mSheets = new QRadioButton(tr("シート枠"), target);
    mSheets->setObjectName(QStringLiteral("sheets"));
    mRegions = new QRadioButton(tr("「画像(A)」属性文字列編集領域"), target);
    mRegions->setObjectName(QStringLiteral("regions"));
    mSheets->setChecked(true);
    auto* targetLayout = new QVBoxLayout(target);
    targetLayout->addWidget(mSheets);
    targetLayout->addWidget(mRegions);

    mKeep = new QCheckBox(tr("現在の印刷データをクリアしない"), this);
    mKeep->setObjectName(QStringLiteral("keep"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addWidget(target);
    top->addWidget(mKeep);
    top->addWidget(buttons);
}

PicturePlacement::Options CLoadPicPlaceDialog::options() const
{
    PicturePlacement::Options o;
    o.target = mRegions->isChecked() ? PicturePlacement::Target::Regions
                                     : PicturePlacement::Target::Sheets;
    o.keep = mKeep->isChecked();
    return o;
}

void CLoadPicPlaceDialog::setOptions(const PicturePlacement::Options& options)
{
    (options.target == PicturePlacement::Target::Regions ? mRegions : mSheets)->setChecked(true);
    mKeep->setChecked(options.keep);
}

std::optional<PicturePlacement::Options> CLoadPicPlaceDialog::ask(QWidget* parent)
{
    CLoadPicPlaceDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.options();
}
