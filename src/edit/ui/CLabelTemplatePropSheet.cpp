#include "CLabelTemplatePropSheet.h"

#include "CETCPropPage.h"
#include "CKeisennPropPage.h"
#include "CLabelSheetPropPage.h"
#include "CTextRectPropPage.h"
#include "TemplatePageDialogs.h"

#include "edit/TemplateSetupApply.h"
#include "model/CORINOTEDoc.h"
#include "render/FontTextMeasurer.h"

#include <QTimer>

CLabelTemplatePropSheet::CLabelTemplatePropSheet(CORINOTEDoc& doc, QWidget* parent)
    : QTabWidget(parent), mContext(doc), mDialogs(std::make_unique<TemplatePageDialogs>(this, doc.profile())),
      mMeasurer(std::make_unique<FontTextMeasurer>())
{
    setObjectName(QStringLiteral("TemplatePropertySheet"));
    mContext.prompts = mDialogs.get();
    mContext.measurer = mMeasurer.get();
    mContext.setup = TemplateSetup::of(doc.labelTemplate());
    mLoaded = mContext.setup;

    mSheetPage = new CLabelSheetPropPage(mContext, this);
    mRegionPage = new CTextRectPropPage(mContext, this);
    mLinePage = new CKeisennPropPage(mContext, this);
    mPrintPage = new CETCPropPage(mContext.setup, this);
    addTab(mSheetPage, tr("シート設定"));
    addTab(mRegionPage, tr("文字列編集領域"));
    addTab(mLinePage, tr("罫線"));
    addTab(mPrintPage, tr("印刷設定"));
    for (TemplatePropPage* page :
         {static_cast<TemplatePropPage*>(mSheetPage), static_cast<TemplatePropPage*>(mRegionPage),
          static_cast<TemplatePropPage*>(mLinePage)}) {
        connect(page, &TemplatePropPage::pickedInDocument, this, [this, page] {
            mPicking = page;
            picked();
            mPicking = nullptr;
        });
    }
    connect(&doc, &CORINOTEDoc::changed, this, &CLabelTemplatePropSheet::documentChanged);
    // The pages change the copy in many ways (buttons, fields, boxes): the pending state is
    // looked at often rather than told by each of them.
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CLabelTemplatePropSheet::checkPending);
    timer->start(250);
    reload();
}

QString CLabelTemplatePropSheet::pendingQuestion()
{
    return tr("変更を反映しますか？");
}

QString CLabelTemplatePropSheet::conflictQuestion(TemplateSetup::ObjectKind kind, int index)
{
    const QString object = kind == TemplateSetup::ObjectKind::Sheet    ? tr("シート %1")
                           : kind == TemplateSetup::ObjectKind::Region ? tr("文字列編集領域 %1")
                                                                       : tr("罫線 %1");
    return tr("%1 はこの画面と編集画面の両方で変更されています。\n"
              "この画面の内容を使いますか？（いいえ: 編集画面での変更を残します）")
        .arg(object.arg(index + 1));
}

void CLabelTemplatePropSheet::checkPending()
{
    const bool pending = hasPendingEdits();
    if (pending != mShownPending) {
        mShownPending = pending;
        emit pendingChanged(pending);
    }
}

void CLabelTemplatePropSheet::showCopy()
{
    mSheetPage->reload();
    mRegionPage->reload();
    mLinePage->reload();
    mPrintPage->reload();
    checkPending();
}

bool CLabelTemplatePropSheet::settlePendingEdits()
{
    if (!hasPendingEdits())
        return true;
    switch (mContext.prompts->askYesNoCancel(pendingQuestion())) {
    case TemplatePagePrompts::Answer::Yes:
        return apply();
    case TemplatePagePrompts::Answer::No:
        reload();
        return true;
    case TemplatePagePrompts::Answer::Cancel:
        break;
    }
    return false;
}

CLabelTemplatePropSheet::~CLabelTemplatePropSheet() = default;

void CLabelTemplatePropSheet::setPrompts(TemplatePagePrompts* prompts)
{
    mContext.prompts = prompts ? prompts : mDialogs.get();
}

void CLabelTemplatePropSheet::setMeasurer(const TextMeasurer* measurer)
{
    mContext.measurer = measurer ? measurer : mMeasurer.get();
}

void CLabelTemplatePropSheet::reload()
{
    mContext.setup = TemplateSetup::of(mContext.doc.labelTemplate());
    mLoaded = mContext.setup;
    showCopy();
}

bool CLabelTemplatePropSheet::apply()
{
    const TemplateSetup& s = mContext.setup;
    if (!TemplateSetupApply::paperAccepted(s.paperHeight, s.paperWidth)) {
        mContext.prompts->showMessage(TemplateSetupApply::paperMessage());
        return false;
    }
    if (const QString refusal = TemplateSetupApply::checkPaperPicture(s.paperPicture);
        !refusal.isEmpty()) {
        mContext.prompts->showMessage(refusal);
        return false;
    }
    TemplatePagePrompts* prompts = mContext.prompts;
    mApplying = true;
    const auto outcome = TemplateSetupApply::apply(
        mContext.doc, s, [prompts](const QString& q) { return prompts->askYesNo(q); });
    mApplying = false;
    if (outcome == TemplateSetupApply::Outcome::Unchanged)
        reload(); // nothing to write: the copy is the template's again
    // Applying redraws every view, and the pages reload from the template then.
    return outcome != TemplateSetupApply::Outcome::Refused;
}

void CLabelTemplatePropSheet::documentChanged()
{
    // The template changed under the copy (a mouse edit, undo, "更新"): the copy follows
    // it. Otherwise the copy keeps what the pages hold and only the selection follows.
    const TemplateSetup now = TemplateSetup::of(mContext.doc.labelTemplate());
    if (now != mLoaded) {
        if (mApplying || !hasPendingEdits()) {
            reload();
            return;
        }
        // Edits on the pages and a change from elsewhere: neither is dropped unasked.
        const TemplatePagePrompts::Answer answer = mContext.prompts->askYesNoCancel(pendingQuestion());
        if (answer == TemplatePagePrompts::Answer::No) {
            reload();
            return;
        }
        TemplatePagePrompts* prompts = mContext.prompts;
        mContext.setup = TemplateSetup::rebased(
            mContext.setup, mLoaded, now, [prompts](TemplateSetup::ObjectKind kind, int index) {
                return prompts->askYesNo(conflictQuestion(kind, index));
            });
        mLoaded = now;
        if (answer == TemplatePagePrompts::Answer::Yes)
            apply();
        else
            showCopy();
        return;
    }
    for (TemplatePropPage* page :
         {static_cast<TemplatePropPage*>(mSheetPage), static_cast<TemplatePropPage*>(mRegionPage),
          static_cast<TemplatePropPage*>(mLinePage)}) {
        if (page != mPicking)
            page->followDocumentSelection();
    }
}

void CLabelTemplatePropSheet::picked()
{
    mContext.doc.updateAllViews();
}
