#include "CPrintSettingDialog.h"

#include "model/CORINOTEDoc.h"
#include "widgets/NumberFields.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* offsetBox(int value)
{
    auto* box = new QSpinBox;
    NumberFields::widen(box, PrintSettings::MinOffset, PrintSettings::MaxOffset);
    box->setValue(value);
    return box;
}

} // namespace

CPrintSettingDialog::CPrintSettingDialog(const PrintSettings::Values& values, int sheetsPerPage,
                                         QWidget* parent)
    : QDialog(parent), mSheetsPerPage(sheetsPerPage)
{
    setWindowTitle(tr("印刷設定"));
    mOffsetX = offsetBox(values.offsetX);
    mOffsetY = offsetBox(values.offsetY);
    mFrames = new QCheckBox(tr("シートの枠線を印刷する"));
    mRound = new QCheckBox(tr("シートの角を丸くする"));
    mRuled = new QCheckBox(tr("シートの罫線を印刷する"));
    mStart = new QSpinBox;
    // The boxes take whatever is typed, and what the document has: OK says what is wrong.
    NumberFields::widen(mStart, 1, qMax(1, sheetsPerPage));
    mStart->setValue(values.startPosition);

    mFrames->setChecked(values.sheetFrames);
    mRound->setChecked(values.sheetFrames && values.roundCorners);
    mRound->setEnabled(values.sheetFrames);
    mRuled->setChecked(values.ruledLines);
    connect(mFrames, &QCheckBox::toggled, this, &CPrintSettingDialog::framesToggled);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("全体の印刷位置を左右にずらす（0.1mm単位）")), 0, 0);
    grid->addWidget(mOffsetX, 0, 1);
    grid->addWidget(new QLabel(tr("（正の値は右へ、負の値は左へ）")), 1, 0, 1, 2);
    grid->addWidget(new QLabel(tr("全体の印刷位置を上下にずらす（0.1mm単位）")), 2, 0);
    grid->addWidget(mOffsetY, 2, 1);
    grid->addWidget(new QLabel(tr("（正の値は下へ、負の値は上へ）")), 3, 0, 1, 2);
    grid->addWidget(mFrames, 4, 0, 1, 2);
    grid->addWidget(mRound, 5, 0, 1, 2);
    grid->addWidget(mRuled, 6, 0, 1, 2);
    grid->addWidget(new QLabel(tr("印刷開始シート位置：")), 7, 0);
    grid->addWidget(mStart, 7, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPrintSettingDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPrintSettingDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void CPrintSettingDialog::framesToggled(bool on)
{
    if (!on)
        mRound->setChecked(false);
    mRound->setEnabled(on);
}

PrintSettings::Values CPrintSettingDialog::values() const
{
    PrintSettings::Values v;
    v.offsetX = mOffsetX->value();
    v.offsetY = mOffsetY->value();
    v.sheetFrames = mFrames->isChecked();
    v.roundCorners = mRound->isChecked();
    v.ruledLines = mRuled->isChecked();
    v.startPosition = mStart->value();
    return v;
}

void CPrintSettingDialog::accept()
{
    const QString message = PrintSettings::check(values(), mSheetsPerPage);
    if (!message.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), message);
        return;
    }
    QDialog::accept();
}

bool CPrintSettingDialog::run(QWidget* parent, CORINOTEDoc& doc)
{
    CPrintSettingDialog dialog(PrintSettings::current(doc), doc.sheetsPerPage(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString message = PrintSettings::apply(doc, dialog.values());
    if (!message.isEmpty()) {
        QMessageBox::warning(parent, dialog.windowTitle(), message);
        return false;
    }
    return true;
}
