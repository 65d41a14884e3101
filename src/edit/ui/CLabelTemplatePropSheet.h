#pragma once

#include "TemplatePropPage.h"

#include <QTabWidget>

#include <memory>

class CETCPropPage;
class CKeisennPropPage;
class CLabelSheetPropPage;
class CTextRectPropPage;
class FontTextMeasurer;
class TemplatePageDialogs;

// The template property sheet of the template editor form: four pages (シート設定,
// 文字列編集領域, 罫線, 印刷設定) over one working copy of the template. The copy is
// refilled when the template changes under it (a mouse edit, undo); a change of the
// selection only moves the lists' selection. apply() writes the copy ("更新").
class CLabelTemplatePropSheet : public QTabWidget
{
    Q_OBJECT
public:
    explicit CLabelTemplatePropSheet(CORINOTEDoc& doc, QWidget* parent = nullptr);
    ~CLabelTemplatePropSheet() override;

    // Who answers the pages' questions; the sheet's message boxes unless set. The
    // prompts must outlive the sheet.
    void setPrompts(TemplatePagePrompts* prompts);
    // The measurer of region texts; the installed fonts' unless set.
    void setMeasurer(const TextMeasurer* measurer);

    // Refills the copy from the template and every page from the copy.
    void reload();
    // "更新": refuses a paper size out of range with its message, else writes the copy
    // into the template (asking whether to scale to a changed paper). True when the
    // template now holds the copy.
    bool apply();

    const TemplateSetup& setup() const { return mContext.setup; }
    CLabelSheetPropPage* sheetPage() const { return mSheetPage; }
    CTextRectPropPage* regionPage() const { return mRegionPage; }
    CKeisennPropPage* linePage() const { return mLinePage; }
    CETCPropPage* printPage() const { return mPrintPage; }

private:
    void documentChanged();
    void picked();

    TemplatePageContext mContext;
    std::unique_ptr<TemplatePageDialogs> mDialogs;
    std::unique_ptr<FontTextMeasurer> mMeasurer;
    TemplateSetup mLoaded;
    CLabelSheetPropPage* mSheetPage;
    CTextRectPropPage* mRegionPage;
    CKeisennPropPage* mLinePage;
    CETCPropPage* mPrintPage;
    TemplatePropPage* mPicking = nullptr;
};
