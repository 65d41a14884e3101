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
//
// Edits on the pages that "更新" has not written yet are pending. When the template changes
// under pending edits, "変更を反映しますか？" asks what to do: はい writes the edits laid over
// the change (TemplateSetup::rebased), いいえ drops them, キャンセル keeps them pending, laid
// over the change. Whoever would drop the form (a mode switch, closing) asks through
// settlePendingEdits() first.
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
    // Whether the pages hold edits that "更新" has not written.
    bool hasPendingEdits() const { return mContext.setup != mLoaded; }
    // Before the form goes: asks "変更を反映しますか？" when edits are pending; はい writes
    // them, いいえ drops them. False when the user cancels (the form must stay) or the edits
    // were refused.
    bool settlePendingEdits();

    static QString pendingQuestion(); // "変更を反映しますか？"
    // Asked, after はい or キャンセル, for each object both the pages and the view changed.
    static QString conflictQuestion(TemplateSetup::ObjectKind kind, int index);

    CLabelSheetPropPage* sheetPage() const { return mSheetPage; }
    CTextRectPropPage* regionPage() const { return mRegionPage; }
    CKeisennPropPage* linePage() const { return mLinePage; }
    CETCPropPage* printPage() const { return mPrintPage; }

signals:
    // The pending state may have changed.
    void pendingChanged(bool pending);

private:
    void documentChanged();
    void picked();
    void showCopy();
    void checkPending();

    TemplatePageContext mContext;
    std::unique_ptr<TemplatePageDialogs> mDialogs;
    std::unique_ptr<FontTextMeasurer> mMeasurer;
    TemplateSetup mLoaded;
    CLabelSheetPropPage* mSheetPage;
    CTextRectPropPage* mRegionPage;
    CKeisennPropPage* mLinePage;
    CETCPropPage* mPrintPage;
    TemplatePropPage* mPicking = nullptr;
    bool mApplying = false;     // "更新" is writing the copy: the change is ours
    bool mShownPending = false; // the pending state last told

};
