#include "CETCPropPage.h"

#include "edit/TemplateSetup.h"

#include <QCheckBox>
#include <QScopedValueRollback>
#include <QVBoxLayout>

CETCPropPage::CETCPropPage(TemplateSetup& setup, QWidget* parent) : QWidget(parent), mSetup(setup)
{
    setObjectName(QStringLiteral("PrintPage"));
    mFrames = new QCheckBox(tr("シート枠線を印刷する"), this);
    mRound = new QCheckBox(tr("シートの角を丸くする"), this);
    mLines = new QCheckBox(tr("シートの罫線を印刷する"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mFrames);
    auto* indent = new QHBoxLayout;
    indent->addSpacing(20);
    indent->addWidget(mRound);
    layout->addLayout(indent);
    layout->addWidget(mLines);
    layout->addStretch(1);
    for (QCheckBox* b : {mFrames, mRound, mLines})
        connect(b, &QCheckBox::toggled, this, &CETCPropPage::edited);
}

void CETCPropPage::reload()
{
    const QScopedValueRollback loading(mLoading, true);
    mFrames->setChecked(mSetup.printSheetFrames != 0);
    mRound->setChecked(mSetup.roundSheetCorners != 0);
    mLines->setChecked(mSetup.printRuledLines != 0);
    mRound->setEnabled(mFrames->isChecked());
}

void CETCPropPage::edited()
{
    if (mLoading)
        return;
    // Rounded corners belong to the frames: clearing the frames clears them too.
    if (!mFrames->isChecked())
        mRound->setChecked(false);
    mRound->setEnabled(mFrames->isChecked());
    mSetup.printSheetFrames = mFrames->isChecked() ? 1 : 0;
    mSetup.roundSheetCorners = mRound->isChecked() ? 1 : 0;
    mSetup.printRuledLines = mLines->isChecked() ? 1 : 0;
}
