#include "ToolBarBuilder.h"

#include "CommandActions.h"

#include "app/CommandIds.h"

#include <QToolBar>

#include <initializer_list>

using namespace CommandIds;

namespace {

constexpr int Separator = 0;

void fill(QToolBar* bar, const CommandActions& actions, std::initializer_list<int> commands)
{
    for (const int c : commands) {
        if (c == Separator)
            bar->addSeparator();
        else
            bar->addAction(actions.action(c));
    }
}

} // namespace

namespace ToolBarBuilder {

void fillMainToolBar(QToolBar* bar, const CommandActions& a)
{
    fill(bar, a, {FileNew,           FileOpen,
                  FileSave,          Separator,
                  TemplateMode,      DataMode,
                  Separator,         SheetBackground,
                  SheetPosition,     Separator,
                  TextFont,          TextColor,
                  Separator,         TextItalic,
                  TextBold,          TextStrikeOut,
                  TextUnderline,     Separator,
                  TextAlignLeft,     TextAlignCentre,
                  TextAlignRight,    Separator,
                  TextRotateRight,   TextRotateLeft,
                  TextOutline,       Separator,
                  RegionBackground,  RegionFrame,
                  RegionRotateRight, RegionRotateLeft,
                  RegionPosition,    Separator,
                  LinePosition,      Separator,
                  PrintSettings,     Separator,
                  FilePrint,         About});
}

void fillPageToolBar(QToolBar* bar, const CommandActions& a)
{
    fill(bar, a,
         {EditDisplay, PreviewDisplay, Separator, ZoomIn, ZoomOut, Separator, FirstPage,
          BackTenPages, PreviousPage, Separator, NextPage, ForwardTenPages, LastPage});
}

void fillObjectToolBar(QToolBar* bar, const CommandActions& a)
{
    fill(bar, a,
         {ToolAddSheet, ToolDrawSheet, ToolSheets, Separator, ToolAddRegion, ToolDrawRegion,
          ToolRegions, Separator, ToolAddLine, ToolAddLineTable, ToolLines});
}

} // namespace ToolBarBuilder
