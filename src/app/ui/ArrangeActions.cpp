#include "ArrangeActions.h"

#include "CommandActions.h"

#include "app/ArrangeCommands.h"
#include "app/CommandIds.h"
#include "edit/PositionEdit.h"
#include "edit/RectSplit.h"
#include "edit/ui/CDivideRectDialog.h"
#include "edit/ui/CLabelKeisennDialog.h"
#include "edit/ui/CLabelSheetDialog.h"
#include "edit/ui/CTextRectDialog.h"
#include "model/CORINOTEDoc.h"
#include "prompts/SessionPrompts.h"

#include <QAction>

using namespace CommandIds;

ArrangeActions::ArrangeActions(CORINOTEDoc& doc, const CommandActions& actions, QWidget* window)
    : QObject(window), mDoc(doc), mWindow(window)
{
    for (const int command : ArrangeCommands::commands()) {
        if (QAction* a = actions.action(command))
            connect(a, &QAction::triggered, this, [this, command] { run(command); });
    }
}

void ArrangeActions::run(int command)
{
    if (!ArrangeCommands::isEnabled(command, mDoc))
        return;
    if (command == SheetSplit || command == RegionSplit) {
        split(command);
        return;
    }
    if (ArrangeCommands::needsDialog(command)) {
        editPositions(command);
        return;
    }
    const QString message = ArrangeCommands::run(command, mDoc);
    if (!message.isEmpty() && mPrompts)
        mPrompts->showMessage(message);
}

void ArrangeActions::split(int command)
{
    const std::optional<RectSplit::Grid> grid = CDivideRectDialog::ask(mWindow);
    if (!grid)
        return;
    const ObjectRef target = command == SheetSplit
                                 ? ObjectRef{ObjectRef::SheetKind, mDoc.selection().sheet}
                                 : ObjectRef{ObjectRef::TextRectKind, mDoc.selection().textRect};
    if (const QString refusal = RectSplit::check(mDoc, target, *grid); !refusal.isEmpty()) {
        if (mPrompts)
            mPrompts->showMessage(refusal);
        return;
    }
    mDoc.takeUndoSnapshot(QStringLiteral("分割"));
    RectSplit::split(mDoc, target, *grid);
    mDoc.setModified();
    mDoc.updateAllViews();
}

void ArrangeActions::editPositions(int command)
{
    const Selection& s = mDoc.selection();
    std::unique_ptr<PositionDialog> dialog;
    switch (command) {
    case SheetPosition:
        dialog = std::make_unique<CLabelSheetDialog>(
            PositionEdit::load(mDoc, PositionEdit::Sheets), mDoc.scalars().currentSheetNo - 1,
            mWindow);
        break;
    case RegionPosition:
        dialog = std::make_unique<CTextRectDialog>(PositionEdit::load(mDoc, PositionEdit::Regions),
                                                   s.textRect, mWindow);
        break;
    default:
        dialog = std::make_unique<CLabelKeisennDialog>(
            PositionEdit::load(mDoc, PositionEdit::Lines), s.keisenns, mWindow);
        break;
    }
    if (dialog->exec() == QDialog::Accepted)
        dialog->edit().apply(mDoc);
}
