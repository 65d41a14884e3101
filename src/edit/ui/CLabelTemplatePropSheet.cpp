#include "CLabelTemplatePropSheet.h"

#include "CETCPropPage.h"
#include "CKeisennPropPage.h"
#include "CLabelSheetPropPage.h"
#include "CTextRectPropPage.h"
#include "TemplatePageDialogs.h"

#include "edit/TemplateSetupApply.h"
#include "model/CORINOTEDoc.h"
#include "render/FontTextMeasurer.h"

CLabelTemplatePropSheet::CLabelTemplatePropSheet(CORINOTEDoc& doc, QWidget* parent)
    : QTabWidget(parent), mContext(doc), mDialogs(std::make_unique<TemplatePageDialogs>(this)),
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
    for (TemplatePropPage* page : {static_cast<TemplatePropPage*>(mSheetPage),
                                   static_cast<TemplatePropPage*>(mRegionPage),
                                   static_cast<TemplatePropPage*>(mLinePage)}) {
        connect(page, &TemplatePropPage::pickedInDocument, this,
                [this, page] {
                    mPicking = page;
                    picked();
                    mPicking = nullptr;
                });
    }
    connect(&doc, &CORINOTEDoc::changed, this, &CLabelTemplatePropSheet::documentChanged);
    reload();
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
    mSheetPage->reload();
    mRegionPage->reload();
    mLinePage->reload();
    mPrintPage->reload();
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
    const auto outcome = TemplateSetupApply::apply(
        mContext.doc, s, [prompts](const QString& q) { return prompts->askYesNo(q); });
    // Applying redraws every view, and the pages reload from the template then.
    return outcome != TemplateSetupApply::Outcome::Refused;
}

void CLabelTemplatePropSheet::documentChanged()
{
    // The template changed under the copy (a mouse edit, undo, "更新"): the copy follows
    // it. Otherwise the copy keeps what the pages hold and only the selection follows.
    if (TemplateSetup::of(mContext.doc.labelTemplate()) != mLoaded) {
        reload();
        return;
    }
    for (TemplatePropPage* page : {static_cast<TemplatePropPage*>(mSheetPage),
                                   static_cast<TemplatePropPage*>(mRegionPage),
                                   static_cast<TemplatePropPage*>(mLinePage)}) {
        if (page != mPicking)
            page->followDocumentSelection();
    }
}

void CLabelTemplatePropSheet::picked()
{
    mContext.doc.updateAllViews();
}
