#include "TextActions.h"

#include "CommandActions.h"

#include "app/CommandIds.h"
#include "app/TextCommands.h"
#include "edit/FindReplace.h"
#include "edit/PictureFit.h"
#include "edit/RegionBackground.h"
#include "edit/SheetBackgrounds.h"
#include "edit/TextAttributes.h"
#include "edit/TextImport.h"
#include "edit/ui/CBGColorDialog.h"
#include "edit/ui/CCharExtraDialog.h"
#include "edit/ui/CFindReplaceTextDialog.h"
#include "edit/ui/CHuchidoriDialog.h"
#include "edit/ui/CImportTextDialog.h"
#include "edit/ui/CKeisennDialog.h"
#include "edit/ui/CLabelSheetOptionDialog.h"
#include "edit/ui/ColorChooser.h"
#include "edit/ui/FontChoiceDialog.h"
#include "model/CORINOTEDoc.h"
#include "prompts/SessionPrompts.h"
#include "render/FontTextMeasurer.h"
#include "render/RenderSupport.h"

#include <QAction>
#include <QColorDialog>

using namespace CommandIds;

TextActions::TextActions(CORINOTEDoc& doc, const CommandActions& actions, QWidget* window)
    : QObject(window), mDoc(doc), mMeasurer(std::make_unique<FontTextMeasurer>()), mWindow(window),
      mFindWindow(new CFindReplaceTextDialog(window)), mFind(std::make_unique<FindReplace>())
{
    for (const int command : TextCommands::commands()) {
        if (QAction* a = actions.action(command))
            connect(a, &QAction::triggered, this, [this, command] { run(command); });
    }
    connect(mFindWindow, &CFindReplaceTextDialog::findNextRequested, this, &TextActions::findNext);
    connect(mFindWindow, &CFindReplaceTextDialog::replaceRequested, this, &TextActions::replace);
    connect(mFindWindow, &CFindReplaceTextDialog::replaceAllRequested, this,
            &TextActions::replaceAll);
    connect(mFindWindow, &CFindReplaceTextDialog::closeRequested, this, [this] { mFind->reset(); });
}

TextActions::~TextActions() = default;

bool TextActions::ask(const QString& question)
{
    return mPrompts && mPrompts->askYesNo(question);
}

void TextActions::tell(const QString& message)
{
    if (mPrompts)
        mPrompts->showMessage(message);
}

void TextActions::inform(const QString& message)
{
    if (mPrompts)
        mPrompts->showInformation(message);
}

void TextActions::run(int command)
{
    if (!TextCommands::state(command, mDoc).enabled)
        return;
    if (!TextCommands::needsDialog(command)) {
        TextCommands::run(command, mDoc);
        return;
    }
    switch (command) {
    case TextFont:
        chooseFont();
        break;
    case TextColor:
        chooseColor();
        break;
    case TextOutline:
        editOutline();
        break;
    case TextSpacing:
        editSpacing();
        break;
    case RegionFrame:
        editFrame();
        break;
    case CommandIds::RegionBackground:
        editRegionBackground();
        break;
    case SheetBackground:
        editSheetBackgrounds();
        break;
    case TextFindReplace:
        showFindReplace();
        break;
    case ImportText:
        importText();
        break;
    default:
        break;
    }
}

void TextActions::chooseFont()
{
    const int i = TextAttributes::selected(mDoc);
    FontChoiceDialog dialog(TextAttributes::regions(mDoc).font(i), TextAttributes::pointsOf(mDoc, i),
                            mWindow);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const TextAttributes::FontChoice choice = dialog.choice();
    const QString refusal = TextAttributes::setFont(mDoc, choice);
    if (!refusal.isEmpty()) {
        tell(refusal);
        return;
    }
    if (ask(tr("文字列編集領域を選択されたフォントサイズに合わせますか？")))
        TextAttributes::sizeToPoints(mDoc, choice.points);
}

void TextActions::chooseColor()
{
    const int i = TextAttributes::selected(mDoc);
    const QColor c = QColorDialog::getColor(
        RenderSupport::color(TextAttributes::regions(mDoc).textColor(i)), mWindow);
    if (c.isValid())
        TextAttributes::setTextColor(mDoc, ColorChooser::colorRef(c));
}

void TextActions::editOutline()
{
    const TextRectFamily& r = TextAttributes::regions(mDoc);
    const int i = TextAttributes::selected(mDoc);
    CHuchidoriDialog dialog(r.outlineWidth(i), r.outlineColor(i), mWindow);
    if (dialog.exec() == QDialog::Accepted)
        TextAttributes::setOutline(mDoc, dialog.outlineWidth(), dialog.outlineColor());
}

void TextActions::editSpacing()
{
    const int i = TextAttributes::selected(mDoc);
    CCharExtraDialog dialog(TextAttributes::regions(mDoc).charSpacing(i), mWindow);
    if (dialog.exec() == QDialog::Accepted)
        TextAttributes::setCharSpacing(mDoc, dialog.spacing());
}

void TextActions::editFrame()
{
    CKeisennDialog dialog(TextAttributes::frame(mDoc), mWindow);
    if (dialog.exec() == QDialog::Accepted)
        TextAttributes::setFrame(mDoc, dialog.frame());
}

void TextActions::editRegionBackground()
{
    CBGColorDialog dialog(::RegionBackground::of(mDoc), mWindow);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ::RegionBackground::Values values = dialog.values();
    ::RegionBackground::apply(mDoc, values);
    if (values.picture.isEmpty())
        return;
    const QSize size = PictureFit::fileSize(values.picture);
    if (!size.isValid() || size.isEmpty()) {
        tell(tr("画像ファイルを読み込めません。"));
        return;
    }
    if (ask(tr("画像に合わせて文字列編集領域のサイズを調節しますか？")))
        ::RegionBackground::fitToPicture(mDoc, size);
}

void TextActions::editSheetBackgrounds()
{
    CLabelSheetOptionDialog dialog(SheetBackgrounds::load(mDoc), mWindow);
    if (dialog.exec() == QDialog::Accepted)
        dialog.backgrounds().apply(mDoc);
}

void TextActions::showFindReplace()
{
    mFind->reset();
    mFindWindow->show();
    mFindWindow->raise();
    mFindWindow->activateWindow();
}

void TextActions::findNext()
{
    if (!mFind->findNext(mDoc, mFindWindow->findText())) {
        mFindWindow->hide();
        inform(FindReplace::notFound());
    }
}

void TextActions::replace()
{
    if (!mFind->replace(mDoc, mFindWindow->findText(), mFindWindow->replacement(), mMeasurer.get())) {
        mFindWindow->hide();
        inform(FindReplace::notFound());
    }
}

void TextActions::replaceAll()
{
    const int count =
        mFind->replaceAll(mDoc, mFindWindow->findText(), mFindWindow->replacement(), mMeasurer.get());
    mFindWindow->hide();
    inform(FindReplace::replaced(count));
}

void TextActions::importText()
{
    const QString refusal = TextImport::refusal(mDoc);
    if (!refusal.isEmpty()) {
        tell(refusal);
        return;
    }
    CImportTextDialog dialog(
        TextImport::initialText(mDoc),
        [this](const QString& text) { return TextImport::slack(mDoc, text, *mMeasurer); },
        mWindow);
    if (dialog.exec() != QDialog::Accepted)
        return;
    TextImport::apply(mDoc, dialog.text(), mMeasurer.get());
}
